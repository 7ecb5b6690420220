#include "runtime/qt/data_box.h"

#include <QMimeData>
#include <QTextCursor>

#include "runtime/qt/busy_cursor.h"

namespace quorvel::runtime::qt {

DataBox::DataBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
  // Tab moves on to the next box, as in every other box of the window; the
  // box wraps its lines and has no scroll bars.
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void DataBox::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !source || !source->hasText()) return;
  const CursorOverride busy;
  QTextCursor cursor = textCursor();
  cursor.insertText(source->text());  // one edit block: one undo step takes it back
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace quorvel::runtime::qt
