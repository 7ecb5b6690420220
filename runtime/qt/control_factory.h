#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace quorvel::runtime {
struct ControlDescription;
}

namespace quorvel::runtime::qt {

// Where the host embeds the picture of a form or a control, by its name.
QString PicturePath(std::string_view owner);

// Creates the widget of one control other than a picture, owned by parent and
// named like the control, with its text, font and accessible name. The caller
// places it and connects it.
QWidget* CreateControl(const ControlDescription& description, QWidget& parent);

}  // namespace quorvel::runtime::qt
