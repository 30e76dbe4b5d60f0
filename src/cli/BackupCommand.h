#pragma once

#include "cli/CliCommand.h"

#include <QDateTime>
#include <QStringList>

// "backup [--keep N] [--dry-run] [DIR]": a consistent copy of the live
// records book, taken as the query window's menu takes it (safe while tills
// are selling), named by the date and time, into DIR or backups/ beside the
// data; with --keep the newest N backups of DIR stay and older ones go.
class BackupCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("backup"); }
    QString summary() const override;
    QString help() const override;

    // "Quillbook-2026-12-09-231500.qmbk"; a second one within the second gets "-2", "-3"...
    static QString fileName(const QDateTime &time, int repeat = 1);
    // The backups this command wrote into FOLDER, oldest first.
    static QStringList backupsIn(const QString &folder);

protected:
    QList<CliArguments::Option> options() const override;
    int mostWords() const override { return 1; }
    int execute(const CliArguments &arguments, CliContext &context) override;

private:
    static QString freeName(const QString &folder, const QDateTime &time);
    // Removes all but the newest KEEP backups of FOLDER, WRITTEN (the one
    // just written, or to be written) among them; DRYRUN only says which.
    static bool rotate(const QString &folder, int keep, bool dryRun, const QString &written);
};
