#pragma once
// The program's own help window: the HTML manual in a browser of its own, for a desktop
// that has no browser to open it in. One window serves every page.

#include <QTextBrowser>
#include <QWidget>
#include <filesystem>

namespace zel::ui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows `page` (an HTML file of the manual) and brings the window to front; false when
  // the file cannot be read.
  bool showPage(const std::filesystem::path& page);
  QTextBrowser* browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser = nullptr;
};

}  // namespace zel::ui
