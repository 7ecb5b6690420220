#include "runtime/qt/line_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/box_hint.h"
#include "runtime/qt/qt_text.h"

namespace quorvel::runtime::qt {
namespace {

// A line edit keeps this many pixels free on either side of its text.
constexpr int kLineEditMargin = 2;
constexpr QChar kGoesOn = u'…';
// The least contrast of text on its background that low vision still reads
// (WCAG 2, level AA).
constexpr double kLegibleContrast = 4.5;

double Luminance(const QColor& colour) {
  const auto linear = [](double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const auto [dark, light] = std::minmax({Luminance(a), Luminance(b)});
  return (light + 0.05) / (dark + 0.05);
}

// The style's grey for disabled text, which says "not current" the way the
// desktop does. Many styles make it too faint to read on the box, since a
// disabled control needs no reading; a stale result does, so the grey moves
// toward the normal text colour just as far as that takes.
QColor StaleColour(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Active, QPalette::Base);
  const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
  const QColor text = palette.color(QPalette::Active, QPalette::Text);
  // In steps of a level of 8-bit colour, the depth the text is drawn in.
  for (int step = 0; step < 255; ++step) {
    const auto mix = [&](int from, int to) { return from + (to - from) * step / 255; };
    const QColor mixed(mix(grey.red(), text.red()), mix(grey.green(), text.green()),
                       mix(grey.blue(), text.blue()));
    if (Contrast(mixed, base) >= kLegibleContrast) return mixed;
  }
  return text;
}

}  // namespace

LineBox::LineBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  // A box has no length limit of its own; a line edit cuts text at 32767
  // characters unless told otherwise.
  setMaxLength(std::numeric_limits<int>::max());
  setCursorPosition(0);
  connect(this, &QLineEdit::textChanged, this, &LineBox::TellHint);
}

void LineBox::Offer(QAction* command) {
  commands_.push_back(command);
  if (!commandTip_.empty()) commandTip_ += u'\n';
  commandTip_ += CommandTip(ToU16String(command->text()),
                            ToU16String(command->shortcut().toString(QKeySequence::PortableText)));
  TellHint();
}

void LineBox::SetStale(bool stale) {
  if (stale == stale_) return;
  stale_ = stale;
  // Only the text colour is the box's own; every other colour, and the text
  // colour again once current, follows the window's.
  QPalette colours;
  if (stale) {
    const QColor grey = StaleColour(palette());
    colours.setColor(QPalette::Active, QPalette::Text, grey);
    colours.setColor(QPalette::Inactive, QPalette::Text, grey);
  }
  setPalette(colours);
  TellHint();
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
  // The room the line edit itself leaves its text before it scrolls: the
  // text and the cursor after it must fit.
  const int cursorWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  const int room = TextArea().width() - 1 - cursorWidth;
  const QString shown = displayText();
  const QFontMetricsF metrics(font());
  // Every character but a mark is a pixel wide at least, so a head of the
  // text tells a long text without measuring all of it at every key typed.
  const int head = static_cast<int>(std::min<qsizetype>(shown.size(), room + 1));
  if (IsCut(metrics.horizontalAdvance(shown, head), room)) return true;
  return head < shown.size() && IsCut(metrics.horizontalAdvance(shown), room);
}

void LineBox::TellHint() {
  const BoxHint hint = HintFor(ToU16String(text()), Overflows(), stale_, commandTip_);
  const QString tooltip = ToQString(hint.tooltip);
  if (toolTip() != tooltip) setToolTip(tooltip);
  const QString description = ToQString(hint.description);
  if (accessibleDescription() != description) setAccessibleDescription(description);
}

void LineBox::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  TellHint();
}

void LineBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A message box or menu opening over the box leaves it as it was,
  // selection and all.
  const Qt::FocusReason reason = event->reason();
  const bool leavesWindow = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
  if (ShowsStartAgain(leavesWindow ? FocusGoes::OutOfTheWindow : FocusGoes::ToAnotherControl))
    setCursorPosition(0);
}

void LineBox::contextMenuEvent(QContextMenuEvent* event) {
  // As QLineEdit's own, with the window's commands after the standard entries.
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (!commands_.empty()) menu->addSeparator();
  for (QAction* command : commands_) menu->addAction(command);
  menu->popup(event->globalPos());
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
