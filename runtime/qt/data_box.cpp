#include "runtime/qt/data_box.h"

#include <QMimeData>
#include <QTextCursor>

#include "runtime/qt/busy_cursor.h"

namespace quorvel::runtime::qt {
namespace {

constexpr int kLinesPerBlock = 64;

}  // namespace

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
  cursor.insertText(InFewBlocks(source->text()));  // one edit block: one undo step takes it back
  setTextCursor(cursor);
  ensureCursorVisible();
}

QString InFewBlocks(QString text) {
  // One pass in place: QString::replace moves the whole tail for every CR LF.
  QChar* out = text.data();
  const QChar* const end = out + text.size();
  int lines = 0;
  for (const QChar* in = out; in != end; ++in) {
    QChar c = *in;
    if (c == u'\r') {
      if (in + 1 != end && in[1] == u'\n') ++in;
      c = u'\n';
    }
    if (c == u'\n' && ++lines % kLinesPerBlock != 0) c = QChar::LineSeparator;
    *out++ = c;
  }
  text.truncate(out - text.constData());
  return text;
}

}  // namespace quorvel::runtime::qt
