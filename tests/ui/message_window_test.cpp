// The message window as the GUI sink of the message service.

#include "ui/frame/message_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <thread>

#include "app/shell/message_service.h"
#include "ui/frame/document_window.h"
#include "ui/frame/message_pump.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

TEST(MessageWindow, TextPostedByAWorkerArrivesThroughTheQtLoop) {
  UiWorkspace ws;
  MessagePump pump;
  ASSERT_TRUE(ws.start());
  MessageWindow* window = ws.frame().showMessageWindow(true);
  ASSERT_NE(window, nullptr);
  const std::string longText(300, 'x');
  std::thread worker([&] {
    app::PostMessageText("INFO: from a worker\r\n");
    app::PostMessageText("%s", longText.c_str());
  });
  worker.join();
  ProcessEvents();
  EXPECT_EQ(window->shownText(), "INFO: from a worker\n" + QString(254, 'x'));
}

TEST(MessageWindow, FollowsTheCutOfTheHeadAndCopiesAllOrTheSelection) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  MessageWindow* window = ws.frame().showMessageWindow(false);
  ASSERT_NE(window, nullptr);
  const std::string line = std::string(98, 'a') + "\r\n";
  for (int i = 0; i < 250; ++i) app::PrintMessage("%s", line.c_str());
  const std::string text = app::MessageWindowText();
  EXPECT_LE(text.size(), app::kMessageTextLimit + line.size());
  EXPECT_EQ(window->shownText(), ShownMessageText(text));
  window->copyMessages();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text);
  QTextCursor cursor = window->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(3, QTextCursor::KeepAnchor);
  window->setTextCursor(cursor);
  window->copyMessages();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "aaa");
}

TEST(MessageWindow, ClosingTheWindowClosesTheService) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ASSERT_NE(ws.frame().showMessageWindow(false), nullptr);
  app::PrintMessage("kept until closed");
  delete ws.frame().findWindow(app::WindowKind::MessageWindow);
  EXPECT_EQ(app::FindMessageWindow(), nullptr);
  EXPECT_EQ(app::PostMessageText("lost"), 0);
  MessageWindow* again = ws.frame().showMessageWindow(false);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->shownText().isEmpty());
}

}  // namespace
}  // namespace zel::ui::testing
