// The Linux program: the window Static hosted by Qt.

#include <QApplication>

#include "runtime/qt/form_window.h"
#include "runtime/qt/qt_translation.h"
#include "window/static_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("quorvel"));
  if (!quorvel::runtime::qt::InstallChineseQtTexts(app)) {
    qWarning("Qt's Chinese translation is missing (Debian: qt6-translations-l10n)");
  }

  quorvel::window::Static form;
  quorvel::runtime::qt::FormWindow window(quorvel::window::Static::Description(), form);
  window.show();
  return QApplication::exec();
}
