#include "qt/app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installToolkitTranslations() {
    static QTranslator translator;
    static bool installed = false;
    if (installed) return;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale system = QLocale::system();
    const bool systemTranslated = system.language() != QLocale::English &&
                                  system.language() != QLocale::C &&
                                  translator.load(system, "qtbase", "_", folder);
    if (!systemTranslated && !translator.load("qtbase_fr", folder)) return;
    installed = QCoreApplication::installTranslator(&translator);
}
