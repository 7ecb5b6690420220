#include "runtime/qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace quorvel::runtime::qt {

bool InstallChineseQtTexts(QCoreApplication& app) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator.get())) {
    return false;
  }
  translator.release()->setParent(&app);  // lives as long as the application
  return true;
}

}  // namespace quorvel::runtime::qt
