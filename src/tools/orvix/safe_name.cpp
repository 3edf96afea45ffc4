#include "tools/orvix/safe_name.h"

#include "app/project/project_naming.h"

namespace zel::orvix {

bool IsSafeV3Name(std::string_view name) {
  return app::IsSafeDirectoryName(name) && name.find("..") == std::string_view::npos;
}

}  // namespace zel::orvix
