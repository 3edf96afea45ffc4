#pragma once
// A plain text file in a window of the program's own, for a desktop that has no editor
// to open it in (the project's documentation file). Written back, on request or when
// closed after a change, in the project files' encoding and with the file's line ends.

#include <QPlainTextEdit>
#include <QWidget>
#include <filesystem>

namespace zel::ui {

class TextFileWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TextFileWindow(QWidget* parent = nullptr);

  // Reads `file` and shows it; false (and nothing changes) when it cannot be read.
  bool open(const std::filesystem::path& file);
  // False after the failure was shown.
  bool save();
  const std::filesystem::path& file() const { return m_file; }
  QPlainTextEdit* editor() const { return m_editor; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void updateTitle();

  QPlainTextEdit* m_editor = nullptr;
  std::filesystem::path m_file;
  bool m_crlf = false;  // the file's line ends are kept
};

}  // namespace zel::ui
