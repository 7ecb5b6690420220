#include "runtime/qt/line_box.h"

#include <QFocusEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>
#include <limits>

namespace quorvel::runtime::qt {
namespace {

// A line edit keeps this many pixels free on either side of its text.
constexpr int kLineEditMargin = 2;
constexpr QChar kGoesOn = u'…';

}  // namespace

LineBox::LineBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  // A box has no length limit of its own; a line edit cuts text at 32767
  // characters unless told otherwise.
  setMaxLength(std::numeric_limits<int>::max());
  setCursorPosition(0);
  connect(this, &QLineEdit::textChanged, this, &LineBox::TellWholeText);
}

QRect LineBox::TextArea() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  return style()
      ->subElementRect(QStyle::SE_LineEditContents, &option, this)
      .marginsRemoved(textMargins())
      .adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
}

bool LineBox::Overflows() const {
  // The test the line edit itself makes before it scrolls its text: the text
  // and the cursor after it must fit.
  const int cursorWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  const int room = TextArea().width() - 1 - cursorWidth;
  const QString shown = displayText();
  const QFontMetricsF metrics(font());
  // Every character but a mark is a pixel wide at least, so a head of the
  // text tells a long text without measuring all of it at every key typed.
  const int head = static_cast<int>(std::min<qsizetype>(shown.size(), room + 1));
  if (qRound(metrics.horizontalAdvance(shown, head)) > room) return true;
  return head < shown.size() && qRound(metrics.horizontalAdvance(shown)) > room;
}

void LineBox::TellWholeText() {
  const QString whole = Overflows() ? text() : QString();
  if (toolTip() == whole) return;
  setToolTip(whole);
  setAccessibleDescription(whole);
}

void LineBox::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  TellWholeText();
}

void LineBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Left for another control, a long text shows its start again, as it did
  // when written; a message box or menu opening over the box leaves it as it
  // was, selection and all.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) setCursorPosition(0);
}

void LineBox::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (!Overflows()) return;
  const QRect area = TextArea();
  const int y = area.center().y();
  const bool startHidden = cursorPositionAt(QPoint(area.left(), y)) > 0;
  // A last character only partly cut off may count as shown; with the start
  // in view, the end is what overflows.
  const bool endHidden = !startHidden || cursorPositionAt(QPoint(area.right(), y)) < text().size();
  // The sign covers the edge of the text in the highlight colour, so it is
  // not taken for a character of the text.
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Highlight));
  const int width = fontMetrics().horizontalAdvance(kGoesOn) + 2 * kLineEditMargin;
  const auto sign = [&](int left) {
    const QRect rect(left, area.top(), width, area.height());
    painter.fillRect(rect, palette().base());
    painter.drawText(rect, Qt::AlignCenter, kGoesOn);
  };
  // The text is drawn into the margins too, up to the frame.
  if (startHidden) sign(area.left() - kLineEditMargin);
  if (endHidden) sign(area.right() + 1 + kLineEditMargin - width);
}

}  // namespace quorvel::runtime::qt
