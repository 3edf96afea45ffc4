#pragma once
// Colours one line of the statement-list editor at a time; the document asks for the lines
// that changed only, so colouring costs the same in a short and in a long program.

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "stl/editor/display_colouring.h"

namespace zel::ui {

class StlHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit StlHighlighter(QTextDocument* document);

  // The list whose symbols are known; none: no symbol is told unknown. It must outlive
  // its use here; the caller colours the text anew when it changes.
  void setSymbols(const stl::AllocationList* symbols) { m_symbols = symbols; }

  // How a kind of token is shown, for the tests and the legend in the manual.
  const QTextCharFormat& format(stl::DisplayTokenKind kind) const;

 protected:
  void highlightBlock(const QString& text) override;

 private:
  std::array<QTextCharFormat, 10> m_formats;
  const stl::AllocationList* m_symbols = nullptr;
};

// One Windows-1252 byte per UTF-16 unit, so positions in the bytes are positions in the
// text (a character outside the code page counts as '?').
std::string StoredPerUnit(const QString& text);

}  // namespace zel::ui
