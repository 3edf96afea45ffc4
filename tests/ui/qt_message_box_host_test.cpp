// A core's question asked from a job's worker: the box must be built and shown on the GUI
// thread (a widget made on another thread aborts the program), and the worker must get
// the answer of the button pressed there.

#include "ui/frame/qt_message_box_host.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <optional>
#include <thread>

namespace zel::ui {
namespace {

using platform::Answer;
using platform::Buttons;

QMessageBox* OpenBox() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible())
      return box;
  }
  return nullptr;
}

struct Case {
  Buttons buttons;
  QMessageBox::StandardButton press;
  Answer expected;
};

class WorkerQuestion : public testing::TestWithParam<Case> {};

TEST_P(WorkerQuestion, IsAnsweredOnTheGuiThread) {
  QtMessageBoxHost host;
  std::atomic<bool> done{false};
  std::optional<Answer> answer;
  std::thread worker([&] {
    answer = host.show({"'BROKEN.IOD'\n\nInvalid IOD file format.", "", GetParam().buttons});
    done = true;
  });

  // The box runs its own event loop inside the one below, so a timer presses its button.
  bool pressed = false;
  QTimer presser;
  QObject::connect(&presser, &QTimer::timeout, [&] {
    QMessageBox* box = OpenBox();
    if (box == nullptr || pressed) return;
    pressed = true;
    EXPECT_EQ(box->thread(), QApplication::instance()->thread());
    EXPECT_EQ(box->text(), "'BROKEN.IOD'\n\nInvalid IOD file format.");
    if (QAbstractButton* button = box->button(GetParam().press))
      button->click();
    else
      box->reject();
  });
  presser.start(20);
  QElapsedTimer clock;
  clock.start();
  while (!done && clock.elapsed() < 10'000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  presser.stop();
  worker.join();
  EXPECT_TRUE(pressed);
  EXPECT_EQ(answer, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Buttons, WorkerQuestion,
                         testing::Values(Case{Buttons::Ok, QMessageBox::Ok, Answer::Ok},
                                         Case{Buttons::OkCancel, QMessageBox::Cancel,
                                              Answer::Cancel},
                                         Case{Buttons::YesNo, QMessageBox::Yes, Answer::Yes}));

}  // namespace
}  // namespace zel::ui
