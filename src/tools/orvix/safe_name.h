#pragma once
// Names read from version-3 files (projects, modules, drivers) become file and section
// names of the new project. A crafted version-3 directory must not make the converter
// write outside the new project, so such names are checked before use.

#include <string_view>

namespace zel::orvix {

// Not empty, no "/" or "\", no "..", no control character.
bool IsSafeV3Name(std::string_view name);

}  // namespace zel::orvix
