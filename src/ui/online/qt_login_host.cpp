#include "ui/online/qt_login_host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kPumpIntervalMs = 20;

constexpr const char* kFieldLabels[] = {"Target Controller", "Kernel Version", "Loaded Project",
                                        "State"};
constexpr const char* kFieldNames[] = {"targetController", "kernelVersion", "loadedProject",
                                       "state"};

}  // namespace

LoginWindow::LoginWindow(const platform::LoginWindowSetup& setup, QWidget* parent)
    : QDialog(parent) {
  setObjectName("LoginWindow");
  setWindowTitle(FromStored(platform::kLoginWindowTitle));
  setModal(true);
  auto* form = new QFormLayout;
  for (std::size_t i = 0; i < m_fields.size(); ++i) {
    m_fields[i] = new QLineEdit(this);
    m_fields[i]->setReadOnly(true);
    m_fields[i]->setObjectName(kFieldNames[i]);
    m_fields[i]->setMinimumWidth(260);
    form->addRow(tr(kFieldLabels[i]), m_fields[i]);
  }
  m_retry = new QPushButton(tr("&Retry"), this);
  m_retry->setObjectName("retry");
  m_retry->setEnabled(false);
  m_retry->setAutoDefault(false);
  m_close = new QPushButton(tr("&Close"), this);
  m_close->setObjectName("close");
  m_close->setVisible(setup.showCloseButton);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_retry);
  buttons->addWidget(m_close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(m_retry, &QPushButton::clicked, this, &LoginWindow::retryRequested);
  connect(m_close, &QPushButton::clicked, this, &LoginWindow::closeRequested);
}

void LoginWindow::setField(platform::LoginField field, const QString& text) {
  m_fields[static_cast<std::size_t>(field)]->setText(text);
}

QString LoginWindow::field(platform::LoginField field) const {
  return m_fields[static_cast<std::size_t>(field)]->text();
}

void LoginWindow::reject() {
  emit closeRequested();
}

std::optional<std::string> AskLoginPassword(QWidget* parent) {
  QDialog dialog(parent);
  dialog.setObjectName("PasswordDialog");
  dialog.setWindowTitle(FromStored(platform::kPasswordDialogTitle));
  auto* edit = new QLineEdit(&dialog);
  edit->setEchoMode(QLineEdit::Password);
  edit->setMaxLength(static_cast<int>(platform::kPasswordMaxLength));
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(QObject::tr("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QObject::tr("&Cancel"), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(FromStored(platform::kPasswordPrompt), &dialog));
  layout->addWidget(edit);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToStored(edit->text());
}

QtLoginHost::~QtLoginHost() {
  delete m_window;
}

void QtLoginHost::open(const platform::LoginWindowSetup& setup) {
  // The window of an earlier login is gone by now: its loop has ended.
  delete m_window;
  m_closed = false;
  m_setup = setup;
  m_window = new LoginWindow(setup, QApplication::activeWindow());
  QObject::connect(m_window, &LoginWindow::retryRequested, m_window, [this] { retry(); });
  QObject::connect(m_window, &LoginWindow::closeRequested, m_window, [this] { closeByUser(); });
  m_window->show();
}

void QtLoginHost::retry() {
  // A copy: the call may end the login, which drops the host's own.
  const auto onRetry = m_setup.onRetry;
  if (onRetry) onRetry();
}

void QtLoginHost::closeByUser() {
  const auto onClose = m_setup.onClose;
  if (onClose) onClose();
  close();
}

void QtLoginHost::setField(platform::LoginField field, std::string_view text) {
  if (m_window) m_window->setField(field, FromStored(text));
}

void QtLoginHost::setRetryEnabled(bool enabled) {
  if (m_window) m_window->retryButton()->setEnabled(enabled);
}

std::optional<std::string> QtLoginHost::askPassword() {
  return AskLoginPassword(m_window);
}

void QtLoginHost::finished(bool) {
  // The window stays for the user to read the outcome and to retry.
}

void QtLoginHost::runModal() {
  if (m_closed || !m_window) return;
  QEventLoop loop;
  m_loop = &loop;
  // The program's message pump delivers the login's replies as they are posted; this
  // also serves a host without one (a test's window), and costs nothing while the
  // window is up.
  QTimer pump;
  QObject::connect(&pump, &QTimer::timeout, [] { platform::PumpMessages(); });
  pump.start(kPumpIntervalMs);
  loop.exec();
  m_loop = nullptr;
}

void QtLoginHost::close() {
  m_closed = true;
  m_setup = {};
  if (m_window) m_window->hide();
  if (m_loop) m_loop->quit();
}

}  // namespace zel::ui
