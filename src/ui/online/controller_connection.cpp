#include "ui/online/controller_connection.h"

#include "access/ci_reply.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// Often enough for the LED to show traffic, rarely enough to cost nothing.
constexpr int kStatusIntervalMs = 250;

}  // namespace

QString ConnectionStateText(const access::ControllerLink* link) {
  if (!link || !link->connected()) return QObject::tr("Offline");
  switch (link->remoteCiState()) {
    case access::kRemoteReady: {
      const QString platform = FromStored(link->remoteKernelPlatform());
      const QString version = FromStored(link->remoteKernelVersion().text);
      return QObject::tr("Online %1 %2").arg(platform, version).trimmed();
    }
    case access::kRemoteLocked:
      return QObject::tr("Online, locked by password");
    case access::kRemoteNotLoggedIn:
      return QObject::tr("Connected, not logged in");
    default:
      return QObject::tr("Offline");
  }
}

ControllerConnection::ControllerConnection(QStatusBar* statusBar,
                                           std::function<std::string()> connectionText,
                                           QObject* parent)
    : QObject(parent),
      m_connectionText(std::move(connectionText)),
      m_owner([this](const platform::Message& message) { return ownerMessage(message); }),
      m_statusBar(statusBar) {
  m_state = new QLabel(statusBar);
  m_state->setObjectName("connectionState");
  m_led = new QLabel(statusBar);
  m_led->setObjectName("activityLed");
  m_led->setFixedSize(12, 12);
  m_led->setToolTip(tr("Controller activity"));
  statusBar->addPermanentWidget(m_state);
  statusBar->addPermanentWidget(m_led);
  showLed(false);
  connect(&m_timer, &QTimer::timeout, this, [this] { refresh(); });
  refresh();
}

ControllerConnection::~ControllerConnection() {
  m_link.reset();
}

bool ControllerConnection::login() {
  if (!connected()) {
    m_link.reset();  // a failed link goes before the next one tries
    m_link = std::make_unique<access::ControllerLink>(m_owner.id(), m_connectionText());
    if (!m_link->connected()) {
      m_link.reset();
      refresh();
      return false;
    }
    m_replyMessage = m_link->replyMessage();
  }
  m_timer.start(kStatusIntervalMs);
  refresh();
  const bool loggedIn = m_link->startLogin(m_owner.id(), 0, 0) == 1;
  refresh();
  return loggedIn;
}

void ControllerConnection::logout() {
  if (m_link) m_link->logout();
  m_link.reset();
  m_timer.stop();
  refresh();
}

void ControllerConnection::refresh() {
  m_state->setText(ConnectionStateText(m_link.get()));
  // The library toggles its answer once per call while replies complete.
  showLed(m_link && m_link->activityLedState() != 0);
}

// The status refresh runs several times a second; restyling only on a change spares
// Qt a re-polish each time.
void ControllerConnection::showLed(bool on) {
  if (m_ledOn == on) return;
  m_ledOn = on;
  m_led->setProperty("on", on);
  m_led->setStyleSheet(on ? "background: #2ecc40; border-radius: 6px;"
                          : "background: #3a3a3a; border-radius: 6px;");
}

platform::LParam ControllerConnection::ownerMessage(const platform::Message& message) {
  const auto reply = access::TakeCiReply(message, m_replyMessage);
  if (reply && reply->status == access::ReplyStatus::ConnectionLost) {
    m_statusBar->showMessage(tr("The connection to the controller was lost."), 5000);
    refresh();
  }
  return 0;
}

}  // namespace zel::ui
