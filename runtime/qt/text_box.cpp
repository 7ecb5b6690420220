#include "runtime/qt/text_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <limits>

#include "runtime/form_description.h"
#include "runtime/qt/qt_text.h"

namespace quorvel::runtime::qt {

QWidget* CreateTextBox(const ControlDescription& description, QWidget& parent) {
  if (!description.multiLine) {
    auto* line = new QLineEdit(ToQString(description.text), &parent);
    // A box has no length limit of its own; a line edit cuts text at 32767
    // characters unless told otherwise.
    line->setMaxLength(std::numeric_limits<int>::max());
    return line;
  }
  auto* box = new QPlainTextEdit(ToQString(description.text), &parent);
  // Tab moves on to the next box, as in every other box of the window; the
  // box wraps its lines and has no scroll bars.
  box->setTabChangesFocus(true);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return box;
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

void SetBoxText(QWidget& box, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) return line->setText(text);
  static_cast<QPlainTextEdit&>(box).setPlainText(text);
}

}  // namespace quorvel::runtime::qt
