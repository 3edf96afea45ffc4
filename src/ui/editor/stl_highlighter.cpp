#include "ui/editor/stl_highlighter.h"

#include <QColor>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

using Kind = stl::DisplayTokenKind;

QTextCharFormat Coloured(const QColor& colour, bool bold = false, bool italic = false) {
  QTextCharFormat format;
  format.setForeground(colour);
  if (bold) format.setFontWeight(QFont::Bold);
  format.setFontItalic(italic);
  return format;
}

}  // namespace

StlHighlighter::StlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  m_formats[static_cast<std::size_t>(Kind::Keyword)] = Coloured(QColor(0, 0, 160), true);
  m_formats[static_cast<std::size_t>(Kind::Operand)] = Coloured(QColor(128, 0, 0));
  m_formats[static_cast<std::size_t>(Kind::Symbol)] = Coloured(QColor(0, 110, 110));
  m_formats[static_cast<std::size_t>(Kind::Constant)] = Coloured(QColor(150, 70, 0));
  m_formats[static_cast<std::size_t>(Kind::TimeValue)] = Coloured(QColor(130, 0, 150));
  m_formats[static_cast<std::size_t>(Kind::Label)] = Coloured(QColor(0, 0, 0), true);
  m_formats[static_cast<std::size_t>(Kind::Comment)] = Coloured(QColor(0, 120, 0), false, true);
  m_formats[static_cast<std::size_t>(Kind::ListComment)] =
      Coloured(QColor(110, 110, 110), false, true);
  // Readable as a symbol still, but marked as one the compilation will not find.
  QTextCharFormat unknownSymbol = Coloured(QColor(200, 90, 0), false, true);
  unknownSymbol.setUnderlineStyle(QTextCharFormat::DotLine);
  unknownSymbol.setUnderlineColor(QColor(200, 90, 0));
  m_formats[static_cast<std::size_t>(Kind::UnknownSymbol)] = unknownSymbol;
  QTextCharFormat unknown = Coloured(QColor(200, 0, 0));
  unknown.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  unknown.setUnderlineColor(QColor(200, 0, 0));
  m_formats[static_cast<std::size_t>(Kind::Unknown)] = unknown;
}

const QTextCharFormat& StlHighlighter::format(stl::DisplayTokenKind kind) const {
  return m_formats.at(static_cast<std::size_t>(kind));
}

void StlHighlighter::highlightBlock(const QString& text) {
  for (const stl::DisplaySpan& span : stl::ColourDisplayLine(StoredPerUnit(text), m_symbols)) {
    setFormat(static_cast<int>(span.start), static_cast<int>(span.length), format(span.kind));
  }
}

std::string StoredPerUnit(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar unit : text) {
    if (unit.unicode() < 0x80) {
      bytes += static_cast<char>(unit.unicode());
      continue;
    }
    const std::string one = unit.isSurrogate() ? std::string("?") : ToStored(QString(unit));
    bytes += one.size() == 1 ? one.front() : '?';
  }
  return bytes;
}

}  // namespace zel::ui
