// One QApplication on the offscreen platform for every case.

#include <gtest/gtest.h>

#include <QApplication>

namespace {

// The offscreen platform reports every window it cannot size by hints or raise; that is
// noise.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains("propagateSizeHints") || text.contains("does not support raise()")) return;
  qt_message_output(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietHandler);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
