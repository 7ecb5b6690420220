#pragma once

#include <QString>
#include <functional>

class QObject;
class QWidget;

namespace quorvel::runtime {
struct ControlDescription;
}

namespace quorvel::runtime::qt {

// A text box is a QPlainTextEdit when multi-line and a QLineEdit otherwise;
// these hide which, so the rest of the host treats every box alike.
QWidget* CreateTextBox(const ControlDescription& description, QWidget& parent);
QString BoxText(const QWidget& box);
// The length of BoxText(box), without building it.
qsizetype BoxTextLength(const QWidget& box);
void SetBoxText(QWidget& box, const QString& text);
// Selects `length` characters from `start`, scrolls them into view and gives
// the box the focus.
void SelectBoxText(QWidget& box, int start, int length);
// Marks a single-line box's result stale or current; a data box holds no
// result, so there is nothing to mark.
void SetBoxStale(QWidget& box, bool stale);
// Runs `changed` after every change of the box's text, typed or written,
// for as long as `context` lives.
void OnBoxTextChange(QWidget& box, const QObject& context, std::function<void()> changed);

}  // namespace quorvel::runtime::qt
