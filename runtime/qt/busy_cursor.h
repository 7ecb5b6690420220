#pragma once

#include <QApplication>

namespace quorvel::runtime::qt {

// Shows the given cursor over the whole application while in scope. The busy
// cursor reaches the screen at once, so the user sees that a long paste or
// click is working; a short one ends before anything is drawn.
class CursorOverride final {
 public:
  explicit CursorOverride(Qt::CursorShape shape = Qt::WaitCursor) {
    QApplication::setOverrideCursor(shape);
  }
  ~CursorOverride() { QApplication::restoreOverrideCursor(); }
  CursorOverride(const CursorOverride&) = delete;
  CursorOverride& operator=(const CursorOverride&) = delete;
};

}  // namespace quorvel::runtime::qt
