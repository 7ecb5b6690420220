#pragma once

#include <QString>

class QWidget;

namespace quorvel::runtime {
struct ControlDescription;
}

namespace quorvel::runtime::qt {

// A text box is a QPlainTextEdit when multi-line and a QLineEdit otherwise;
// these hide which, so the rest of the host treats every box alike.
QWidget* CreateTextBox(const ControlDescription& description, QWidget& parent);
QString BoxText(const QWidget& box);
void SetBoxText(QWidget& box, const QString& text);
// Selects `length` characters from `start`, scrolls them into view and gives
// the box the focus.
void SelectBoxText(QWidget& box, int start, int length);

}  // namespace quorvel::runtime::qt
