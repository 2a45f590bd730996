#include "app/qt_croatian.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lorvan {

bool InstallQtCroatian(QCoreApplication* app) {
  auto* translator = new QTranslator(app);
  if (!translator->load(QLocale(QLocale::Croatian, QLocale::Croatia), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace lorvan
