#pragma once
// The module lists of the Program menu's dialogs ("Select Programs for Download",
// "Open Program", "Delete Program"): filtered by language and type, in file name order.

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "app/modules/module.h"

namespace zel::app {

// Filter choices in the order of their labels below.
enum class LanguageFilter { All, Stl, Ladder, Imported };
enum class TypeFilter { All, Programs, Cmps, Cfms };

inline constexpr std::array<std::string_view, 4> kLanguageFilterLabels = {"(all languages)", "STL",
                                                                          "LDR", "OBJ"};
inline constexpr std::array<std::string_view, 4> kTypeFilterLabels = {"(all types)", "Programs",
                                                                      "CMPs", "CFMs"};

// 64 program numbers plus 100 CMP and 100 CFM numbers.
inline constexpr std::size_t kMaxListedModules = 264;

// File names compared without regard to case; the order of every module list.
bool FileNameLess(const ModuleRecord& a, const ModuleRecord& b);
std::vector<ModuleRecord> SortedByFileName(std::vector<ModuleRecord> modules);

bool MatchesFilters(const ModuleRecord& module, LanguageFilter language, TypeFilter type);

// The modules that pass both filters, sorted by file name, at most kMaxListedModules.
std::vector<ModuleRecord> FilterModules(const std::vector<ModuleRecord>& modules,
                                        LanguageFilter language, TypeFilter type);

}  // namespace zel::app
