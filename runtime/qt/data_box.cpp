#include "runtime/qt/data_box.h"

#include <QAbstractUndoItem>
#include <QMimeData>
#include <QTextCursor>
#include <utility>

#include "runtime/qt/busy_cursor.h"

namespace quorvel::runtime::qt {
namespace {

constexpr int kLinesPerBlock = 64;

// The one step of a write the user did not type: undo and redo each swap the
// document's whole text with the text it keeps, so it holds one copy.
class SwapText final : public QAbstractUndoItem {
 public:
  SwapText(QTextDocument& document, QString other)
      : document_(document), other_(std::move(other)) {}
  void undo() override { Swap(); }
  void redo() override { Swap(); }

 private:
  void Swap() {
    QString now = document_.toRawText();
    QTextCursor cursor(&document_);
    cursor.select(QTextCursor::Document);
    cursor.insertText(other_);  // its paragraph separators become blocks again
    other_ = std::move(now);
  }

  QTextDocument& document_;
  QString other_;
};

}  // namespace

DataBox::DataBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
  // Tab moves on to the next box, as in every other box of the window; the
  // box wraps its lines and has no scroll bars.
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void DataBox::ReplaceText(const QString& text) {
  QTextDocument& doc = *document();
  QString before = doc.toRawText();
  doc.clear();
  doc.setUndoRedoEnabled(false);
  QTextCursor(&doc).insertText(text);
  doc.setUndoRedoEnabled(true);
  doc.appendUndoItem(new SwapText(doc, std::move(before)));  // the document owns it
}

void DataBox::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !source || !source->hasText()) return;
  const CursorOverride busy;
  const QString pasted = InFewBlocks(source->text());
  QTextCursor cursor = textCursor();
  if (pasted.size() < kLargePaste) {
    cursor.insertText(pasted);  // one edit block: one undo step takes it back
  } else {
    // The document's positions are those of its raw text. A paste over the
    // whole text, or into an empty box, is the text itself: no copy.
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QString whole = document()->toRawText();
    if (start == 0 && end == whole.size()) {
      whole = pasted;
    } else {
      whole.replace(start, end - start, pasted);
    }
    ReplaceText(whole);
    cursor = QTextCursor(document());
    cursor.setPosition(start + pasted.size());
  }
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
