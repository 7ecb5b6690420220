#include "runtime/qt/text_box.h"

#include <malloc.h>

#include <QTextCursor>

#include "runtime/form_description.h"
#include "runtime/qt/data_box.h"
#include "runtime/qt/line_box.h"
#include "runtime/qt/qt_text.h"

namespace quorvel::runtime::qt {
namespace {

// Below this, the memory a replaced text frees is not worth a walk over the
// heap to hand it back.
constexpr int kLargeDocumentCharacters = 100'000;

}  // namespace

QWidget* CreateTextBox(const ControlDescription& description, QWidget& parent) {
  if (description.multiLine) return new DataBox(ToQString(description.text), &parent);
  return new LineBox(ToQString(description.text), &parent);
}

QString BoxText(const QWidget& box) {
  if (const auto* line = qobject_cast<const QLineEdit*>(&box)) return line->text();
  // The raw text keeps what the user entered, such as a no-break space inside
  // an item, which toPlainText() would turn into a blank that splits the item.
  // Only the document's line breaks become the line feeds the scanner expects.
  QString text = static_cast<const QPlainTextEdit&>(box).document()->toRawText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  return text;
}

qsizetype BoxTextLength(const QWidget& box) {
  if (const auto* line = qobject_cast<const QLineEdit*>(&box)) return line->text().size();
  // The document counts the separator after its last block, which its raw
  // text leaves out; every other separator is one line feed of BoxText.
  return static_cast<const QPlainTextEdit&>(box).document()->characterCount() - 1;
}

void SetBoxText(QWidget& box, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    line->setText(text);
    // As in a Windows edit control, a written box shows the start of its
    // text: a long result shows its leading digits, not its tail. The line
    // edit itself tells a screen reader of the new text (AT-SPI text-changed).
    line->setCursorPosition(0);
    return;
  }
  auto& data = static_cast<DataBox&>(box);
  const bool wasLarge = data.document()->characterCount() > kLargeDocumentCharacters;
  // One step, which one undo takes back: data cleared by a hasty answer comes
  // back with Ctrl+Z. The step keeps the old text; that is what undo costs.
  data.ReplaceText(InFewBlocks(text));
  // The old text's layout lies scattered over the heap, where malloc would
  // keep it.
  if (wasLarge) malloc_trim(0);
}

void SelectBoxText(QWidget& box, int start, int length) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    line->setSelection(start, length);
  } else {
    // Each line break of the text is one position of the document too, so
    // the text's positions are the document's.
    auto& data = static_cast<QPlainTextEdit&>(box);
    QTextCursor cursor(data.document());
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    data.setTextCursor(cursor);  // which scrolls it into view
  }
  box.setFocus(Qt::OtherFocusReason);
}

void SetBoxStale(QWidget& box, bool stale) {
  if (auto* line = dynamic_cast<LineBox*>(&box)) line->SetStale(stale);
}

void OnBoxTextChange(QWidget& box, const QObject& context, std::function<void()> changed) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) {
    QObject::connect(line, &QLineEdit::textChanged, &context, std::move(changed));
  } else {
    QObject::connect(static_cast<QPlainTextEdit*>(&box), &QPlainTextEdit::textChanged, &context,
                     std::move(changed));
  }
}

}  // namespace quorvel::runtime::qt
