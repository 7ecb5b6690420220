#pragma once

#include <QLineEdit>
#include <string>
#include <vector>

class QAction;

namespace quorvel::runtime::qt {

// The single-line box. A text wider than the box is marked inside the box at
// each edge where it goes on. What the box does not show in its text (that
// the result is stale, the whole of a cut text, the command it offers) is its
// tooltip and accessible description, by the shared rule of box_hint.h. The
// text itself stays exactly what was written, so copying it and its
// accessible value are unchanged.
class LineBox final : public QLineEdit {
 public:
  LineBox(const QString& text, QWidget* parent);

  // Offers a command of the window (owned by it) at the end of the box's
  // context menu, and names it and its shortcut in the tooltip.
  void Offer(QAction* command);
  // A stale box draws its text in the style's disabled-text grey.
  void SetStale(bool stale);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QRect TextArea() const;
  bool Overflows() const;
  void TellHint();

  bool stale_ = false;
  std::vector<QAction*> commands_;
  std::u16string commandTip_;
};

}  // namespace quorvel::runtime::qt
