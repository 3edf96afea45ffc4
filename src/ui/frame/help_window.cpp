#include "ui/frame/help_window.h"

#include <QAction>
#include <QFileInfo>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/widgets/window_geometry.h"
#include "ui/widgets/window_icons.h"

namespace zel::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(tr("ZEL Help"));
  setWindowIcon(HelpIcon());
  m_browser = new QTextBrowser(this);
  // Links to the web go to the desktop; the manual's own pages stay here.
  m_browser->setOpenExternalLinks(true);
  auto* bar = new QToolBar(this);
  QStyle* s = style();
  QAction* back = bar->addAction(s->standardIcon(QStyle::SP_ArrowBack), tr("&Back"), m_browser,
                                 &QTextBrowser::backward);
  QAction* forward = bar->addAction(s->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"),
                                    m_browser, &QTextBrowser::forward);
  bar->addAction(s->standardIcon(QStyle::SP_DirHomeIcon), tr("&Contents"), m_browser,
                 &QTextBrowser::home);
  back->setShortcut(QKeySequence::Back);
  forward->setShortcut(QKeySequence::Forward);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("ZEL Help") : title);
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(m_browser);
  resize(760, 620);
}

bool HelpWindow::showPage(const std::filesystem::path& page) {
  const QFileInfo info(QString::fromStdString(page.string()));
  if (!info.isFile() || !info.isReadable()) return false;
  m_browser->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
  if (!isVisible() && parentWidget()) PlaceOnScreen(*this, *parentWidget());
  show();
  raise();
  activateWindow();
  return true;
}

}  // namespace zel::ui
