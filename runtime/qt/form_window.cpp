#include "runtime/qt/form_window.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

#include "runtime/click_guard.h"
#include "runtime/qt/busy_cursor.h"
#include "runtime/qt/control_factory.h"
#include "runtime/qt/line_box.h"
#include "runtime/qt/message_box.h"
#include "runtime/qt/qt_text.h"
#include "runtime/qt/text_box.h"
#include "runtime/tab_order.h"
#include "runtime/twips.h"
#include "runtime/unknown_box.h"

namespace quorvel::runtime::qt {
namespace {

// A plain top-level widget reads as a filler panel to a screen reader; the
// form is a window, named by its caption.
QAccessibleInterface* AccessibleForm(const QString& className, QObject* object) {
  if (className != QLatin1StringView(FormWindow::staticMetaObject.className())) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

}  // namespace

FormWindow::FormWindow(const FormDescription& description, ClickTarget& target, QWidget* parent)
    : QWidget(parent), target_(target) {
  // The window has a fixed size, so its title bar offers no maximise button;
  // without hints of its own a window asks the window manager for one.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(ToQString(description.caption));
  setWindowIcon(QIcon(PicturePath(description.name)));
  QAccessible::installFactory(&AccessibleForm);

  // Logical DPI is in the same device-independent pixels as the geometry, so
  // the window keeps its size in inches whether the screen is scaled by Qt
  // (a device pixel ratio) or reports a higher DPI itself.
  const int dpi = logicalDpiX();
  setFixedSize(TwipsToPixels(description.clientWidthTwips, dpi),
               TwipsToPixels(description.clientHeightTwips, dpi));

  for (const ControlDescription* control : InTabOrder(description)) AddControl(*control, dpi);
  for (const MenuCommand& command : description.commands) AddCommand(command);
}

void FormWindow::AddControl(const ControlDescription& description, int dpi) {
  const PixelRect rect = TwipsToPixels(description.rect, dpi);
  const QRect geometry(rect.left, rect.top, rect.width, rect.height);
  if (description.kind == ControlKind::Image) {
    // A picture is decoration. Painted by the window rather than made a
    // widget, it is no unnamed image for a screen reader to stop on.
    pictures_.push_back({geometry, QPixmap(PicturePath(description.name))});
    return;
  }
  QWidget* widget = CreateControl(description, *this);
  widget->setGeometry(geometry);

  if (description.kind == ControlKind::TextBox) {
    boxes_.emplace(description.name, widget);
    OnBoxTextChange(*widget, *this, [this, name = std::string(description.name)] {
      DeliverChange(target_, name, *this);
    });
  }
  if (description.kind == ControlKind::CommandButton) {
    connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
            [this, name = std::string(description.name)] { Deliver(name); });
  }
}

void FormWindow::AddCommand(const MenuCommand& command) {
  auto* action = new QAction(ToQString(command.caption), this);
  // Window-wide, so it works from whichever control has the focus: the line
  // edits and the data box claim Ctrl with a letter, not Ctrl+Shift with one.
  action->setShortcut(
      QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, static_cast<Qt::Key>(command.key)));
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  connect(action, &QAction::triggered, this,
          [this, name = std::string(command.name)] { Deliver(name); });
  for (const std::string_view box : command.boxes) {
    if (auto* line = dynamic_cast<LineBox*>(&Box(box))) line->Offer(action);
  }
}

// A button clicked or a command chosen: the click runs under the busy cursor.
void FormWindow::Deliver(const std::string& name) {
  const CursorOverride busy;
  DeliverClick(target_, name, *this);
}

QWidget& FormWindow::Box(std::string_view name) const {
  const auto it = boxes_.find(name);
  if (it == boxes_.end()) ThrowUnknownBox(name);
  return *it->second;
}

std::u16string FormWindow::Text(std::string_view box) const {
  return ToU16String(BoxText(Box(box)));
}

std::size_t FormWindow::TextLength(std::string_view box) const {
  return static_cast<std::size_t>(BoxTextLength(Box(box)));
}

void FormWindow::SetText(std::string_view box, std::u16string_view text) {
  SetBoxText(Box(box), ToQString(text));
}

void FormWindow::SelectText(std::string_view box, std::size_t start, std::size_t length) {
  SelectBoxText(Box(box), static_cast<int>(start), static_cast<int>(length));
}

void FormWindow::SetStale(std::string_view box, bool stale) {
  SetBoxStale(Box(box), stale);
}

bool FormWindow::CopyToClipboard(std::u16string_view text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QString copied = ToQString(text);
  clipboard->setText(copied);
  // Qt tells no failure: a clipboard it could not take (the display refused,
  // or another program took it back at once) reads back something else.
  return clipboard->text() == copied;
}

MsgBoxAnswer FormWindow::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                                std::u16string_view title) {
  // The user answers with the normal cursor, even in the middle of a busy click.
  const CursorOverride normal(Qt::ArrowCursor);
  return ShowMessageBox(this, prompt, buttons, title);
}

void FormWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // A picture fills its control, so it keeps its size in twips at any DPI.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (const Picture& picture : pictures_) painter.drawPixmap(picture.rect, picture.pixmap);
}

}  // namespace quorvel::runtime::qt
