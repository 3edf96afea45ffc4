#include "app/modules/module_list_filter.h"

#include <algorithm>

#include "platform/no_case.h"

namespace zel::app {

namespace {

bool MatchesLanguage(Language language, LanguageFilter filter) {
  switch (filter) {
    case LanguageFilter::All:
      return true;
    case LanguageFilter::Stl:
      return language == Language::Stl;
    case LanguageFilter::Ladder:
      return language == Language::Ladder;
    case LanguageFilter::Imported:
      return language == Language::Imported;
  }
  return false;
}

bool MatchesType(ModuleKind kind, TypeFilter filter) {
  switch (filter) {
    case TypeFilter::All:
      return true;
    case TypeFilter::Programs:
      return kind == ModuleKind::Program;
    case TypeFilter::Cmps:
      return kind == ModuleKind::Cmp;
    case TypeFilter::Cfms:
      return kind == ModuleKind::Cfm;
  }
  return false;
}

}  // namespace

bool FileNameLess(const ModuleRecord& a, const ModuleRecord& b) {
  return platform::CompareNoCase(a.fileName, b.fileName) < 0;
}

std::vector<ModuleRecord> SortedByFileName(std::vector<ModuleRecord> modules) {
  std::stable_sort(modules.begin(), modules.end(), FileNameLess);
  return modules;
}

bool MatchesFilters(const ModuleRecord& module, LanguageFilter language, TypeFilter type) {
  return MatchesLanguage(module.language, language) && MatchesType(module.kind, type);
}

std::vector<ModuleRecord> FilterModules(const std::vector<ModuleRecord>& modules,
                                        LanguageFilter language, TypeFilter type) {
  std::vector<ModuleRecord> listed;
  for (const auto& module : modules) {
    if (MatchesFilters(module, language, type)) listed.push_back(module);
  }
  listed = SortedByFileName(std::move(listed));
  if (listed.size() > kMaxListedModules) listed.resize(kMaxListedModules);
  return listed;
}

}  // namespace zel::app
