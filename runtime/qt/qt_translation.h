#pragma once

class QCoreApplication;

namespace quorvel::runtime::qt {

// Qt's own texts, such as the Undo and Paste of a box's context menu, in
// Simplified Chinese whatever the user's locale, since the whole interface is
// Chinese. Returns false when Qt's Chinese translation is not installed.
bool InstallChineseQtTexts(QCoreApplication& app);

}  // namespace quorvel::runtime::qt
