#include "ui/frame/message_window.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

QString ShownMessageText(std::string_view text) {
  QString shown = FromStored(text);
  shown.remove(QChar('\r'));
  return shown;
}

MessageWindow::MessageWindow(app::MessageWindowService& service, QWidget* parent)
    : QPlainTextEdit(parent), m_service(service) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFont("Monospace"));
  setPlainText(ShownMessageText(service.text()));
  m_service.addSink(*this);
}

MessageWindow::~MessageWindow() {
  m_service.removeSink(*this);
  app::CloseMessageWindow();
}

void MessageWindow::appended(std::string_view text) {
  QScrollBar* bar = verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ShownMessageText(text));
  if (atEnd) bar->setValue(bar->maximum());
}

void MessageWindow::cleared() {
  clear();
}

// The service cut its head in one step; the view takes its text anew, which costs no
// more than the cut itself.
void MessageWindow::headCut(std::size_t) {
  setPlainText(ShownMessageText(m_service.text()));
}

void MessageWindow::activate() {
  if (m_activator) m_activator();
}

void MessageWindow::copyMessages() {
  const QTextCursor cursor = textCursor();
  QString text;
  if (cursor.hasSelection()) {
    text = cursor.selectedText().replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  } else {
    text = FromStored(m_service.copyMessages(0, 0));
  }
  QGuiApplication::clipboard()->setText(text);
}

// The clicked message is selected whole, not the word under the mouse: it is the line the
// user chose, and its source line is selected in the editor.
void MessageWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  QTextCursor line = cursorForPosition(event->position().toPoint());
  line.movePosition(QTextCursor::StartOfBlock);
  line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setTextCursor(line);
  event->accept();
  emit lineActivated(line.block().text());
}

void MessageWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(tr("&Copy"), this, &MessageWindow::copyMessages);
  menu.addAction(tr("C&lear"), this, [] { app::ClearMessages(); });
  menu.exec(event->globalPos());
}

}  // namespace zel::ui
