#include "app/AppSettings.h"
#include "app/FontAliases.h"
#include "app/Startup.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quillmarch"));
    app.setApplicationVersion(QStringLiteral(QM_VERSION));
    // Text handed to the ODBC driver manager is UTF-8.
    std::setlocale(LC_CTYPE, "C.UTF-8");

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    FontAliases::install();

    Startup startup({QCoreApplication::applicationDirPath(), QDir::currentPath(), QString()});
    return startup.run(AppSettings::instance());
}
