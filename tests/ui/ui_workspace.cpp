#include "ui_workspace.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace zel::ui::testing {

namespace {

const QString kWhenModalTimer = QStringLiteral("zelWhenModal");

}  // namespace

UiWorkspace::UiWorkspace() {
  fs::copy(fs::path(ZEL_DEMO_DIR) / "ZEL.INI", iniFile());
  fs::copy(fs::path(ZEL_DEMO_DIR) / "Projects", projects(), fs::copy_options::recursive);
  // The run-time library folders, so the windows see the demo's scripts.
  for (const auto& entry : fs::directory_iterator(ZEL_DEMO_DIR)) {
    if (entry.is_directory() && entry.path().filename().string().starts_with("RUNTIME.")) {
      fs::copy(entry.path(), dir() / entry.path().filename(), fs::copy_options::recursive);
    }
  }
}

UiWorkspace::~UiWorkspace() {
  m_frame.reset();
  CancelWhenModal();
}

bool UiWorkspace::start() {
  m_frame = std::make_unique<MainFrame>(preferences());
  m_frame->applyStoredPlacement();
  if (!m_frame->setUpProjectDirectory()) return false;
  m_frame->reopenLastProject();
  m_frame->show();
  return true;
}

void WhenModal(std::function<void(QWidget&)> act) {
  auto* timer = new QTimer(qApp);
  timer->setObjectName(kWhenModalTimer);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    act(*modal);
  });
  timer->start();
}

void CancelWhenModal() {
  for (QTimer* timer : qApp->findChildren<QTimer*>(kWhenModalTimer, Qt::FindDirectChildrenOnly)) {
    delete timer;
  }
}

void ProcessEvents() {
  QElapsedTimer clock;
  clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  } while (clock.elapsed() < 30);
}

}  // namespace zel::ui::testing
