#include "tools/tamsel/tamsel_run.h"

#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "tools/tamsel/screen_converter.h"
#include "tools/tamsel/screen_format.h"
#include "tools/tamsel/tamsel_messages.h"

namespace zel::tamsel {
namespace {

namespace fs = std::filesystem;

// Messages are Windows-1252; local paths are UTF-8.
std::string Shown(const fs::path& path) {
  return platform::Utf8ToCp1252(path.string());
}

// The definition text, or the message why it cannot be had.
struct Input {
  std::string text;
  RunOutcome failure;
};

Input ReadDefinition(Language language, const fs::path& name) {
  const std::optional<fs::path> found = platform::FindPathNoCase(name);
  if (!found) return {{}, FileMessage(language, MessageId::FileNotFound, Shown(name))};
  const std::optional<std::uint64_t> size = platform::FileSize(*found);
  if (size && *size > kMaxInputBytes) {
    return {{}, FileMessage(language, MessageId::FileTooLarge, Shown(*found))};
  }
  std::optional<std::string> text = platform::ReadWholeFile(*found);
  if (!text) return {{}, FileMessage(language, MessageId::CannotRead, Shown(*found))};
  // It may have grown since it was measured.
  if (text->size() > kMaxInputBytes) {
    return {{}, FileMessage(language, MessageId::FileTooLarge, Shown(*found))};
  }
  return {std::move(*text), std::nullopt};
}

}  // namespace

RunOutcome RunTamsel(const std::vector<std::string>& args, const fs::path& workDir,
                     std::ostream& console) {
  const Language language = ReadLanguage(workDir);
  if (args.size() != 1 || args[0].empty()) {
    return std::string(MessageText(language, MessageId::ParameterError));
  }
  const std::string& base = args[0];
  Input input = ReadDefinition(language, base + ".TXT");
  if (input.failure) return input.failure;

  // An existing "screen.bin" is the file to replace, not a sibling of a new "screen.BIN".
  const fs::path output = platform::ResolvePathNoCase(base + ".BIN");
  const ConversionResult result = ConvertScreenDefinition(input.text);
  if (!result.ok()) {
    if (result.failure->fault.invalidPosition) console << kInvalidPositionNote << '\n';
    platform::DeleteFileAt(output);
    return DefinitionErrorText(language, *result.failure);
  }
  if (!platform::WriteFileAtomically(output, result.bytes)) {
    platform::DeleteFileAt(output);
    return FileMessage(language, MessageId::CannotCreate, Shown(output));
  }
  return std::nullopt;
}

int ReportOutcome(const RunOutcome& outcome) {
  if (!outcome) return 0;
  platform::ShowMessageBox(*outcome, platform::Buttons::Ok, platform::Icon::Error,
                           std::string(kCaption));
  return 1;
}

}  // namespace zel::tamsel
