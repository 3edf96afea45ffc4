#include "tools/orvix/wizard/wizard_main.h"

#include <QApplication>
#include <QMessageBox>

#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/v3_installation.h"
#include "tools/orvix/wizard/orvix_wizard.h"

namespace zel::orvix {

int RunWizard(int argc, char** argv, const std::filesystem::path& programDirectory) {
  QApplication app(argc, argv);
  const auto projectDirectory = NewProjectDirectory(programDirectory);
  if (!projectDirectory) {
    QMessageBox::critical(nullptr, QString::fromUtf8(kCaption.data(), kCaption.size()),
                          QString::fromUtf8(kMsgNoVersion4.data(), kMsgNoVersion4.size()));
    return 1;
  }
  OrvixWizard wizard(programDirectory, *projectDirectory);
  wizard.show();
  return app.exec();
}

}  // namespace zel::orvix
