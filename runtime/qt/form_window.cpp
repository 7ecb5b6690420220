#include "runtime/qt/form_window.h"

#include <QAbstractButton>
#include <QIcon>

#include "runtime/qt/control_factory.h"
#include "runtime/qt/message_box.h"
#include "runtime/qt/qt_text.h"
#include "runtime/qt/text_box.h"
#include "runtime/tab_order.h"
#include "runtime/twips.h"
#include "runtime/unknown_box.h"

namespace quorvel::runtime::qt {

FormWindow::FormWindow(const FormDescription& description, ClickTarget& target, QWidget* parent)
    : QWidget(parent), target_(target) {
  setWindowTitle(ToQString(description.caption));
  setWindowIcon(QIcon(PicturePath(description.name)));

  // Logical DPI is in the same device-independent pixels as the geometry, so
  // the window keeps its size in inches whether the screen is scaled by Qt
  // (a device pixel ratio) or reports a higher DPI itself.
  const int dpi = logicalDpiX();
  setFixedSize(TwipsToPixels(description.clientWidthTwips, dpi),
               TwipsToPixels(description.clientHeightTwips, dpi));

  for (const ControlDescription* control : InTabOrder(description)) AddControl(*control, dpi);
}

void FormWindow::AddControl(const ControlDescription& description, int dpi) {
  QWidget* widget = CreateControl(description, *this);
  const PixelRect rect = TwipsToPixels(description.rect, dpi);
  widget->setGeometry(rect.left, rect.top, rect.width, rect.height);

  if (description.kind == ControlKind::TextBox) boxes_.emplace(description.name, widget);
  if (description.kind == ControlKind::CommandButton) {
    connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
            [this, name = std::string(description.name)] { target_.Click(name, *this); });
  }
}

QWidget& FormWindow::Box(std::string_view name) const {
  const auto it = boxes_.find(name);
  if (it == boxes_.end()) ThrowUnknownBox(name);
  return *it->second;
}

std::u16string FormWindow::Text(std::string_view box) const {
  return ToU16String(BoxText(Box(box)));
}

void FormWindow::SetText(std::string_view box, std::u16string_view text) {
  SetBoxText(Box(box), ToQString(text));
}

MsgBoxAnswer FormWindow::MsgBox(std::u16string_view prompt, MsgBoxButtons buttons,
                                std::u16string_view title) {
  return ShowMessageBox(this, prompt, buttons, title);
}

}  // namespace quorvel::runtime::qt
