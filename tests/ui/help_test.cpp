// Help and the project's documentation on a desktop without a browser or an editor to
// open them: the program's own windows stand in, and F1 finds the active window's page.

#include "ui/frame/help.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBrowser>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "ui/frame/document_window.h"
#include "ui/frame/help_window.h"
#include "ui/frame/text_file_window.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

// No "xdg-open" on PATH while the test runs, and a manual to find in the working
// directory when none lies beside the test program.
class NoDesktopOpener {
 public:
  NoDesktopOpener(const fs::path& dir) : m_oldDir(fs::current_path()) {
    if (const char* path = std::getenv("PATH")) m_oldPath = path;
    fs::create_directories(dir / "empty-bin");
    setenv("PATH", (dir / "empty-bin").c_str(), 1);
    fs::copy(ZEL_MANUAL_DIR, dir / "manual", fs::copy_options::recursive);
    fs::current_path(dir);
  }
  ~NoDesktopOpener() {
    setenv("PATH", m_oldPath.c_str(), 1);
    fs::current_path(m_oldDir);
  }

 private:
  fs::path m_oldDir;
  std::string m_oldPath;
};

QString ShownPage(const MainFrame& frame) {
  const HelpWindow* help = frame.helpWindow();
  if (!help || !help->isVisible()) return {};
  return help->browser()->source().fileName();
}

TEST(Help, WithoutADesktopBrowserTheOwnWindowShowsTheActiveWindowsPage) {
  UiWorkspace ws;
  NoDesktopOpener noOpener(ws.dir());
  ASSERT_TRUE(ws.start());
  ws.frame().showMessageWindow(false);
  struct Case {
    const char* what;
    std::function<void()> activate;
    QString page;
  };
  const Case cases[] = {
      {"no window active", [&] { ws.frame().mdiArea()->setActiveSubWindow(nullptr); },
       "index.html"},
      {"an editor", [&] { ws.frame().openWindowByName("CZ0P01V1.awl"); }, "editor.html"},
      {"the allocation list", [&] { ws.frame().actions().allocationList->trigger(); },
       "allocation.html"},
      {"the message window", [&] { ws.frame().showMessageWindow(true); }, "messages.html"},
      {"the project tree", [&] { ws.frame().showProjectTree(false); }, "modules.html"},
  };
  for (const Case& c : cases) {
    c.activate();
    ws.frame().actions().helpTopics->trigger();
    EXPECT_EQ(ShownPage(ws.frame()), c.page) << c.what;
    // The page itself, not an empty browser.
    EXPECT_FALSE(ws.frame().helpWindow()->browser()->toPlainText().isEmpty()) << c.what;
  }
  EXPECT_EQ(ws.frame().actions().helpTopics->shortcut(), QKeySequence(QKeySequence::HelpContents));
  const QRect screen = ws.frame().screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(ws.frame().helpWindow()->frameGeometry()));
  EXPECT_TRUE(ws.answers().texts().empty());
}

TEST(Help, WithoutADesktopEditorTheDocumentationOpensInATextWindow) {
  UiWorkspace ws;
  NoDesktopOpener noOpener(ws.dir());
  ASSERT_TRUE(ws.start());
  const fs::path doc = ws.projects() / "DEMO" / "Project.txt";
  ASSERT_TRUE(platform::WriteFileAtomically(doc, "Bottling line\r\nCaf\xE9 floor\r\n"));
  ws.frame().actions().projectDocumentation->trigger();
  TextFileWindow* window = ws.frame().textFileWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->editor()->toPlainText(),
            QString::fromUtf8("Bottling line\r\nCafé floor\r\n").replace("\r\n", "\n"));
  EXPECT_TRUE(ws.answers().texts().empty());
  // A change is asked about when the window closes, and written in the file's encoding.
  window->editor()->appendPlainText("Hall 2");
  ws.answers().push(platform::Answer::Yes);
  EXPECT_TRUE(window->close());
  EXPECT_EQ(ws.answers().texts().size(), 1u);
  EXPECT_EQ(platform::ReadWholeFile(doc), "Bottling line\r\nCaf\xE9 floor\r\n\r\nHall 2");
}

// A file that is not there is the file's fault: told as before, no empty window.
TEST(Help, AMissingDocumentationFileIsStillReported) {
  UiWorkspace ws;
  NoDesktopOpener noOpener(ws.dir());
  ASSERT_TRUE(ws.start());
  fs::remove(ws.projects() / "DEMO" / "Project.txt");
  ws.frame().actions().projectDocumentation->trigger();
  EXPECT_EQ(ws.frame().textFileWindow(), nullptr);
  ASSERT_EQ(ws.answers().texts().size(), 1u);
  EXPECT_NE(ws.answers().texts().front().find("The specified file was not found."),
            std::string::npos);
}

}  // namespace
}  // namespace zel::ui::testing
