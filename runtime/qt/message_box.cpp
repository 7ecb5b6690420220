#include "runtime/qt/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "runtime/qt/qt_text.h"

namespace quorvel::runtime::qt {

MsgBoxAnswer ShowMessageBox(QWidget* parent, std::u16string_view prompt, MsgBoxButtons buttons,
                            std::u16string_view title) {
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
  box.exec();

  if (!yesNo) return MsgBoxAnswer::Ok;
  return box.clickedButton() == first ? MsgBoxAnswer::Yes : MsgBoxAnswer::No;
}

}  // namespace quorvel::runtime::qt
