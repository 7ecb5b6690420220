#include "runtime/qt/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>

#include "runtime/qt/qt_text.h"

namespace quorvel::runtime::qt {
namespace {

// The question is asked Yes first. Some desktops (GNOME) order dialog buttons
// the other way round, so the box's buttons keep the Windows order.
class YesFirstStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_DialogButtonLayout) return QDialogButtonBox::WinLayout;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// Qt widens a box to its title with only 50 pixels to spare, less than a
// window manager's title bar takes for its icon and buttons, so a short box
// shows its title cut ("输…"). As Windows fits a box to its caption, leave
// room beside the title for an icon and three buttons.
void FitTitle(QMessageBox& box) {
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);  // title bars often are
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(box.windowTitle()) + 6 * metrics.height();
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (layout == nullptr) return;  // Qt lays the box out differently; it sizes the box itself
  layout->addItem(new QSpacerItem(width, 0), layout->rowCount(), 0, 1, layout->columnCount());
}

}  // namespace

MsgBoxAnswer ShowMessageBox(QWidget* parent, std::u16string_view prompt, MsgBoxButtons buttons,
                            std::u16string_view title) {
  YesFirstStyle yesFirst;  // outlives the box, which uses it
  QMessageBox box(parent);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(ToQString(title));
  box.setTextFormat(Qt::PlainText);  // a prompt is never markup
  box.setText(ToQString(prompt));

  const bool yesNo = buttons == MsgBoxButtons::YesNo;
  QPushButton* first = yesNo ? box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole)
                             : box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
  QPushButton* no = yesNo ? box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole) : nullptr;
  box.setDefaultButton(first);
  box.setEscapeButton(yesNo ? no : first);
  // A widget's style does not pass to its children, so it goes on the row of
  // buttons itself.
  if (auto* row = box.findChild<QDialogButtonBox*>()) row->setStyle(&yesFirst);
  FitTitle(box);
  box.exec();

  if (!yesNo) return MsgBoxAnswer::Ok;
  return box.clickedButton() == first ? MsgBoxAnswer::Yes : MsgBoxAnswer::No;
}

}  // namespace quorvel::runtime::qt
