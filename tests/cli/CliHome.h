#pragma once

#include "CliRun.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A program folder of its own for one test: data/ with fresh copies of the
// delivered databases, or a generated book of many sales. quillmarch-cli is
// run on it with --data-home, and uses its files without registering them in
// the test's odbc.ini.
class CliHome
{
public:
    CliHome();

    QString path() const { return m_dir.path(); }
    QString settingsFile() const;
    QString recordsFile() const;

    // The records book replaced by one of SALES generated sales over two years.
    bool generate(int sales);
    CliRun cli(QStringList arguments) const;

private:
    QTemporaryDir m_dir;
};
