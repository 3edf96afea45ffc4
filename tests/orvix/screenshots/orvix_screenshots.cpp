// Saves pictures of the converter's wizard pages for the manual: a generated version-3
// installation in a temporary directory, on the offscreen platform, with the directory
// for the PNG files as argument.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <filesystem>
#include <iostream>

#include "orvix/v3_fixture.h"
#include "tools/orvix/wizard/orvix_wizard.h"
#include "tools/orvix/wizard/select_controller_dialog.h"

namespace {

using namespace zel;

// The folder tree fills itself on a thread of its own.
void Settle(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Save(QWidget& widget, const QString& dir, const QString& name) {
  widget.show();
  Settle(300);
  const QString file = QDir(dir).filePath(name + ".png");
  if (!widget.grab().save(file)) {
    std::cerr << "cannot write " << file.toStdString() << "\n";
    return false;
  }
  std::cout << file.toStdString() << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: orvix_screenshots DIR\n";
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const auto root = std::filesystem::temp_directory_path() /
                    ("orvix-shots-" + std::to_string(QCoreApplication::applicationPid()));
  const orvix::test::Installation in = orvix::test::MakeInstallation(root);
  orvix::test::WritePlantProject(in);
  in.write(in.v3Project("MIXER") / "eacfg.rud", "");
  in.write(in.v3Project("PRESS") / "eacfg.vm0", "");
  in.writeProjectList(
      {{"PLANT", "Pumpenh\x81tte"}, {"MIXER", "Mixer line 2"}, {"PRESS", "Hydraulic press"}});

  bool ok = true;
  {
    orvix::OrvixWizard wizard(in.programDirectory(), in.projectDirectory());
    wizard.resize(620, 440);
    wizard.show();
    wizard.folderPage()->showOnlyBelow(root);
    wizard.folderPage()->choose(in.v3Project("PLANT"));
    Settle(500);
    wizard.folderPage()->choose(in.v3());
    ok = Save(wizard, out, "orvix_folder") && ok;
    wizard.next();
    wizard.projectsPage()->list()->item(0)->setSelected(true);
    wizard.projectsPage()->list()->item(2)->setSelected(true);
    ok = Save(wizard, out, "orvix_projects") && ok;
    wizard.next();
    wizard.convertPage()->chooseType = [](const orvix::V3Project&, app::ControllerType detected) {
      return std::optional(detected);
    };
    wizard.convertPage()->validatePage();
    ok = Save(wizard, out, "orvix_summary") && ok;
  }
  {
    orvix::SelectControllerDialog dialog("PRESS", app::ControllerType::Vm0x);
    ok = Save(dialog, out, "orvix_select_controller") && ok;
  }
  std::error_code error;
  std::filesystem::remove_all(root, error);
  return ok ? 0 : 1;
}
