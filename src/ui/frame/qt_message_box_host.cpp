#include "ui/frame/qt_message_box_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <utility>
#include <vector>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

using platform::Answer;
using platform::Buttons;
using Std = QMessageBox::StandardButton;

std::vector<std::pair<Std, Answer>> ButtonsOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return {{Std::Ok, Answer::Ok}};
    case Buttons::OkCancel:
      return {{Std::Ok, Answer::Ok}, {Std::Cancel, Answer::Cancel}};
    case Buttons::YesNo:
      return {{Std::Yes, Answer::Yes}, {Std::No, Answer::No}};
    case Buttons::YesNoCancel:
      return {{Std::Yes, Answer::Yes}, {Std::No, Answer::No}, {Std::Cancel, Answer::Cancel}};
    case Buttons::AbortRetryIgnore:
      return {
          {Std::Abort, Answer::Abort}, {Std::Retry, Answer::Retry}, {Std::Ignore, Answer::Ignore}};
    case Buttons::RetryCancel:
      return {{Std::Retry, Answer::Retry}, {Std::Cancel, Answer::Cancel}};
  }
  return {{Std::Ok, Answer::Ok}};
}

QMessageBox::Icon IconOf(platform::Icon icon) {
  switch (icon) {
    case platform::Icon::Information:
      return QMessageBox::Information;
    case platform::Icon::Warning:
      return QMessageBox::Warning;
    case platform::Icon::Error:
      return QMessageBox::Critical;
    case platform::Icon::Question:
      return QMessageBox::Question;
    case platform::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Answer QtMessageBoxHost::show(const platform::MessageBoxRequest& request) {
  // A job's worker (a print-out reading a broken IO script) asks too; widgets live on the
  // GUI thread only, so the box is shown there while the worker waits for the answer.
  QCoreApplication* const app = QCoreApplication::instance();
  if (app != nullptr && QThread::currentThread() != app->thread()) {
    Answer answer = Answer::Cancel;
    QMetaObject::invokeMethod(
        app, [&] { answer = showHere(request); }, Qt::BlockingQueuedConnection);
    return answer;
  }
  return showHere(request);
}

Answer QtMessageBoxHost::showHere(const platform::MessageBoxRequest& request) {
  const auto buttons = ButtonsOf(request.buttons);
  const std::string caption =
      request.caption.empty() ? std::string(platform::kDefaultCaption) : request.caption;
  QMessageBox box(IconOf(request.icon), FromStored(caption), FromStored(request.text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  for (const auto& [button, answer] : buttons) box.addButton(button);
  const auto index = static_cast<std::size_t>(request.defaultButton);
  if (index < buttons.size()) box.setDefaultButton(buttons[index].first);
  const auto pressed = static_cast<Std>(box.exec());
  for (const auto& [button, answer] : buttons) {
    if (button == pressed) return answer;
  }
  // Closing the box without a button counts as its cancelling choice, never as Ignore.
  for (const Answer refusal : {Answer::Cancel, Answer::No, Answer::Abort}) {
    for (const auto& [button, answer] : buttons) {
      if (answer == refusal) return answer;
    }
  }
  return buttons.front().second;
}

}  // namespace zel::ui
