#include "runtime/qt/control_factory.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "runtime/form_description.h"
#include "runtime/qt/qt_text.h"
#include "runtime/qt/text_box.h"

namespace quorvel::runtime::qt {
namespace {

QFont ToQFont(const FontDescription& description) {
  QStringList families;
  for (const std::u16string_view family : description.families) families << ToQString(family);
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(description.pointSize);
  font.setWeight(static_cast<QFont::Weight>(description.weight));
  // The character set has no Qt counterpart: Qt picks a face per character,
  // and the families asked for all cover GB2312.
  return font;
}

QWidget* CreateLabel(const ControlDescription& description, QWidget& parent) {
  auto* label = new QLabel(ToQString(description.text), &parent);
  label->setTextFormat(Qt::PlainText);
  // A caption starts at the label's top left corner, as on Windows, so it
  // lines up with the top of the box beside it.
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* CreateButton(const ControlDescription& description, QWidget& parent) {
  // The "&" of the caption makes Alt with the next letter click the button.
  auto* button = new QPushButton(ToQString(description.text), &parent);
  button->setAutoDefault(false);  // Enter in a box clicks nothing
  return button;
}

QWidget* CreateWidget(const ControlDescription& description, QWidget& parent) {
  switch (description.kind) {
    case ControlKind::TextBox:
      return CreateTextBox(description, parent);
    case ControlKind::Label:
      return CreateLabel(description, parent);
    case ControlKind::CommandButton:
      return CreateButton(description, parent);
    case ControlKind::Image:
      break;  // the window paints its pictures itself
  }
  Q_UNREACHABLE();
}

}  // namespace

QString PicturePath(std::string_view owner) {
  return QStringLiteral(":/pictures/") + QString::fromUtf8(owner.data(), owner.size());
}

QWidget* CreateControl(const ControlDescription& description, QWidget& parent) {
  QWidget* widget = CreateWidget(description, parent);
  widget->setObjectName(QString::fromUtf8(description.name.data(), description.name.size()));
  if (description.font) widget->setFont(ToQFont(*description.font));
  if (!description.accessibleName.empty())
    widget->setAccessibleName(ToQString(description.accessibleName));
  return widget;
}

}  // namespace quorvel::runtime::qt
