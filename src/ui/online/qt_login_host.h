#pragma once
// The access library's login window drawn with Qt: "ZEL Login to KZC" with its four
// read-only fields, "&Retry" and "&Close", and the password dialog " ZEL Password". The
// library drives it (platform/login_host.h); this only shows what it is told.

#include <QDialog>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <array>
#include <optional>
#include <string>

#include "platform/login_host.h"

namespace zel::ui {

class LoginWindow : public QDialog {
  Q_OBJECT

 public:
  explicit LoginWindow(const platform::LoginWindowSetup& setup, QWidget* parent = nullptr);
  void setField(platform::LoginField field, const QString& text);
  QString field(platform::LoginField field) const;
  QPushButton* retryButton() const { return m_retry; }
  QPushButton* closeButton() const { return m_close; }

 signals:
  void retryRequested();
  void closeRequested();

 protected:
  void reject() override;  // Escape and the frame's close button act as "&Close"

 private:
  std::array<QLineEdit*, 4> m_fields{};
  QPushButton* m_retry = nullptr;
  QPushButton* m_close = nullptr;
};

// The password dialog: the text typed, nullopt for "&Cancel".
std::optional<std::string> AskLoginPassword(QWidget* parent);

class QtLoginHost : public platform::LoginHost {
 public:
  QtLoginHost() = default;
  ~QtLoginHost() override;

  void open(const platform::LoginWindowSetup& setup) override;
  void setField(platform::LoginField field, std::string_view text) override;
  void setRetryEnabled(bool enabled) override;
  std::optional<std::string> askPassword() override;
  void finished(bool success) override;
  void runModal() override;
  void close() override;

  // The window of the login running now (or of the last one), for tests.
  LoginWindow* window() const { return m_window; }

 private:
  void retry();
  void closeByUser();

  // The library's callbacks, dropped at close(): they are the library's code, which may be
  // unloaded once its login has ended.
  platform::LoginWindowSetup m_setup;
  QPointer<LoginWindow> m_window;
  QEventLoop* m_loop = nullptr;  // the loop of runModal while it runs
  bool m_closed = false;
};

}  // namespace zel::ui
