#pragma once
// The operands a compiled module's usage records name, in stored notation: what the
// cross reference lists for a module that exists only compiled.

#include <string>
#include <vector>

#include "build/compiled_module.h"

namespace zel::build {

// Every used input word EWn, output word AWn, flag word MWn, register Rn, program Pn,
// function word On, counter Zn with its preselect ZVn and word ZWn, timer Tn with TVn
// and TWn, the flag F, and every called CFM gn and CMP cn. A word counts as used when
// any bit of it is.
std::vector<std::string> UsedOperands(const ModuleUsage& usage);

}  // namespace zel::build
