// quillmarch-cli, the owner's command-line companion of the till program: it
// links the program's logic library and no widgets.
#include "cli/CliProgram.h"

#include <QCoreApplication>

#include <clocale>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillmarch"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    QCoreApplication app(argc, argv);
    // Text handed to the ODBC driver manager is UTF-8.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    CliProgram program;
    return program.run(app.arguments().mid(1), QCoreApplication::applicationDirPath());
}
