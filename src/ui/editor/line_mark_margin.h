#pragma once
// The strip left of the program text that shows a marker beside every line the check
// refuses; its tooltip reads the finding like the line's own.

#include <QWidget>

namespace zel::ui {

class StlEditor;

class LineMarkMargin : public QWidget {
  Q_OBJECT

 public:
  explicit LineMarkMargin(StlEditor* editor);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  StlEditor* m_editor;
};

}  // namespace zel::ui
