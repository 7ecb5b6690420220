#include "runtime/qt/control_factory.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>

#include "runtime/form_spec.h"
#include "runtime/qt/qt_text.h"
#include "runtime/qt/text_box.h"

namespace quorvel::runtime::qt {
namespace {

QFont ToQFont(const FontSpec& spec) {
  QStringList families;
  for (const std::u16string_view family : spec.families) families << ToQString(family);
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(spec.pointSize);
  font.setWeight(static_cast<QFont::Weight>(spec.weight));
  // The character set has no Qt counterpart: Qt picks a face per character,
  // and the families asked for all cover GB2312.
  return font;
}

QWidget* CreateLabel(const ControlSpec& spec, QWidget& parent) {
  auto* label = new QLabel(ToQString(spec.text), &parent);
  label->setTextFormat(Qt::PlainText);
  // A caption starts at the label's top left corner, as on Windows, so it
  // lines up with the top of the box beside it.
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* CreateButton(const ControlSpec& spec, QWidget& parent) {
  // The "&" of the caption makes Alt with the next letter click the button.
  auto* button = new QPushButton(ToQString(spec.text), &parent);
  button->setAutoDefault(false);  // Enter in a box clicks nothing
  return button;
}

QWidget* CreateImage(const ControlSpec& spec, QWidget& parent) {
  auto* image = new QLabel(&parent);
  image->setPixmap(QPixmap(PicturePath(spec.name)));
  // The picture fills the control, so it keeps its size in twips at any DPI.
  image->setScaledContents(true);
  return image;
}

QWidget* CreateWidget(const ControlSpec& spec, QWidget& parent) {
  switch (spec.kind) {
    case ControlKind::TextBox:
      return CreateTextBox(spec, parent);
    case ControlKind::Label:
      return CreateLabel(spec, parent);
    case ControlKind::CommandButton:
      return CreateButton(spec, parent);
    case ControlKind::Image:
      return CreateImage(spec, parent);
  }
  Q_UNREACHABLE();
}

}  // namespace

QString PicturePath(std::string_view owner) {
  return QStringLiteral(":/pictures/") + QString::fromUtf8(owner.data(), owner.size());
}

QWidget* CreateControl(const ControlSpec& spec, QWidget& parent) {
  QWidget* widget = CreateWidget(spec, parent);
  widget->setObjectName(QString::fromUtf8(spec.name.data(), spec.name.size()));
  if (spec.font) widget->setFont(ToQFont(*spec.font));
  if (!spec.accessibleName.empty()) widget->setAccessibleName(ToQString(spec.accessibleName));
  return widget;
}

}  // namespace quorvel::runtime::qt
