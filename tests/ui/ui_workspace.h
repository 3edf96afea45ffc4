#pragma once
// A copy of the demo workspace in a temporary directory with the main frame started
// in it, and scripted answers for every message box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/preferences/preferences.h"
#include "platform/profile.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"
#include "ui/frame/main_frame.h"

// Failing expectations show texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace zel::ui::testing {

namespace fs = std::filesystem;

class UiWorkspace {
 public:
  UiWorkspace();  // the demo's "ZEL.INI", "Projects" and "RUNTIME.*" folders
  ~UiWorkspace();

  const fs::path& dir() const { return m_dir.path(); }
  fs::path projects() const { return m_dir.path() / "Projects"; }
  fs::path iniFile() const { return m_dir.path() / "ZEL.INI"; }
  fs::path projectFile(const std::string& name) const { return projects() / name / "Project.FW4"; }
  std::string pref(const std::string& key) const {
    return platform::ReadProfileString(iniFile(), "PREFERENCES", key, "");
  }
  std::string projectValue(const std::string& project, const std::string& section,
                           const std::string& key) const {
    return platform::ReadProfileString(projectFile(project), section, key, "");
  }
  app::Preferences preferences() const { return app::Preferences(dir()); }
  test::ScriptedAnswers& answers() { return m_answers; }

  // Runs the start-up of the program; false when it would end.
  bool start();
  MainFrame& frame() { return *m_frame; }
  void dropFrame() { m_frame.reset(); }

 private:
  test::TempDir m_dir;
  test::ScriptedAnswers m_answers;
  std::unique_ptr<MainFrame> m_frame;
};

// Acts on the next modal dialog as soon as it shows, so exec() returns.
void WhenModal(std::function<void(QWidget&)> act);
// Drops the actions no dialog came for, so they cannot act in a later test.
void CancelWhenModal();

// Acts on the modal dialogs of kind `Dialog` as they come, one act each; a dialog an act
// leaves open is cancelled, and another kind of dialog fails the test, so no test ever
// waits on a dialog.
template <class Dialog>
void AnswerDialogs(std::vector<std::function<void(Dialog&)>> acts) {
  if (acts.empty()) return;
  WhenModal([acts = std::move(acts)](QWidget& modal) mutable {
    auto* dialog = qobject_cast<Dialog*>(&modal);
    if (!dialog) {
      ADD_FAILURE() << "not the expected dialog";
      modal.close();
      return;
    }
    acts.front()(*dialog);
    if (dialog->isVisible()) dialog->reject();
    acts.erase(acts.begin());
    AnswerDialogs(std::move(acts));
  });
}

// Lets queued calls and posted messages run.
void ProcessEvents();

}  // namespace zel::ui::testing
