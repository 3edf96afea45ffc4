#pragma once
// The message window: shows the message service's text as it grows, follows the cut of
// its head, and copies the selection or the whole text. Closing it closes the service.

#include <QPlainTextEdit>
#include <functional>

#include "app/shell/message_service.h"

namespace zel::ui {

class MessageWindow : public QPlainTextEdit, public app::MessageSink {
  Q_OBJECT

 public:
  explicit MessageWindow(app::MessageWindowService& service, QWidget* parent = nullptr);
  ~MessageWindow() override;

  void setActivator(std::function<void()> activator) { m_activator = std::move(activator); }
  // The selection, or everything when nothing is selected, to the clipboard.
  void copyMessages();
  QString shownText() const { return toPlainText(); }

  // MessageSink
  void appended(std::string_view text) override;
  void cleared() override;
  void headCut(std::size_t count) override;
  void activate() override;

 signals:
  // The user double-clicked this line (a compiler message names its source line).
  void lineActivated(const QString& line);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  app::MessageWindowService& m_service;
  std::function<void()> m_activator;
};

// Message lines end with CR LF; the view shows lines.
QString ShownMessageText(std::string_view text);

}  // namespace zel::ui
