#include "app/modules/module_info.h"

#include "app/modules/module_messages.h"
#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::app {

namespace {

std::string DateText(const std::optional<std::int64_t>& t) {
  return t ? platform::TimeText24(*t) : std::string();
}

std::string SourceLanguageText(Language language) {
  switch (language) {
    case Language::Stl:
      return "STL";
    case Language::Ladder:
      return "LDR";
    default:
      return {};
  }
}

}  // namespace

ModuleFileFacts ReadModuleFileFacts(const ProjectModel& model, const ModuleRecord& module) {
  ModuleFileFacts facts;
  facts.source = model.modulePath(module);
  if (const auto found = platform::FindPathNoCase(facts.source)) {
    facts.source = *found;
    facts.size = platform::FileSize(*found);
    facts.sourceTime = platform::FileTime(*found);
  }
  facts.object = model.objectPath(module);
  if (const auto found = platform::FindPathNoCase(facts.object)) {
    facts.object = *found;
    facts.objectTime = platform::FileTime(*found);
  }
  return facts;
}

std::string GeneralInfoText(const ModuleFileFacts& facts) {
  return "File:\t\t" + facts.source.string() + "\nSize:\t\t" +
         std::to_string(facts.size.value_or(0)) + " Bytes\nDate:\t\t" + DateText(facts.sourceTime) +
         "\n\nLast Compiled:\t" + DateText(facts.objectTime);
}

std::string LanguageInfoText(const ModuleRecord& module, const ModuleFileFacts& facts,
                             const CompiledLanguageText& compiledLanguage) {
  std::string text = "Language:\t";
  if (module.language != Language::Imported) return text + SourceLanguageText(module.language);
  if (!facts.objectTime) return text + std::string(kMsgImportForType);
  return text + (compiledLanguage ? compiledLanguage(facts.object) : std::string());
}

std::string PropertiesInfoText(const ModuleRecord& module, const ModuleFileFacts& facts,
                               const CompiledLanguageText& compiledLanguage) {
  return GeneralInfoText(facts) + "\n" + LanguageInfoText(module, facts, compiledLanguage);
}

std::optional<std::string> ReadModuleLog(const ProjectModel& model, const ModuleRecord& module) {
  const auto found = platform::FindPathNoCase(model.logPath(module));
  if (!found) return std::nullopt;
  return platform::ReadWholeFile(*found);
}

}  // namespace zel::app
