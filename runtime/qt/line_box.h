#pragma once

#include <QLineEdit>

namespace quorvel::runtime::qt {

// The single-line box. A text wider than the box is marked inside the box at
// each edge where it goes on, and told whole as the tooltip and as the
// accessible description. The text itself stays exactly what was written, so
// copying it and its accessible value are unchanged.
class LineBox final : public QLineEdit {
 public:
  LineBox(const QString& text, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QRect TextArea() const;
  bool Overflows() const;
  void TellWholeText();
};

}  // namespace quorvel::runtime::qt
