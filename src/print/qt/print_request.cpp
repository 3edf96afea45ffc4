#include "print/qt/print_request.h"

#include <QDate>
#include <QLocale>

#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/timebase.h"

namespace zel::print {

DocumentRequest MakeDocumentRequest(const app::Preferences& preferences,
                                    const std::filesystem::path& projectsDirectory,
                                    std::string projectName, const PrintOptions& options,
                                    std::optional<SectionChoice> single,
                                    std::string productVersion) {
  DocumentRequest request;
  request.programDirectory = preferences.programDirectory();
  request.projectsDirectory = projectsDirectory;
  request.projectName = std::move(projectName);
  request.options = options;
  request.single = std::move(single);
  request.productVersion = std::move(productVersion);
  request.userName = platform::Utf8ToCp1252(platform::UserLoginName().value_or(std::string()));
  // Texts on the page are in the project's code page, whatever the locale writes.
  request.dateTime = platform::Utf8ToCp1252(platform::LocaleDateTime(platform::Now()));
  request.longDate = platform::Utf8ToCp1252(
      QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat).toStdString());
  request.elseWord = preferences.useElseInsteadOfOthrw();
  return request;
}

PrintFont PreferredPrintFont(const app::Preferences& preferences) {
  return ParsePrintFont(preferences.read(kPrintFontKey, kDefaultPrintFont));
}

}  // namespace zel::print
