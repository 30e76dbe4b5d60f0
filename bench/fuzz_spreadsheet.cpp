// The longer fuzz run of the spreadsheet reader: mutates the sample files of
// every format for the given number of seconds (default 60) and reports any
// file that was refused without a reason; such files are kept for study.
//
//     build/bench/fuzz_spreadsheet 600 [seed] [folder of sample files]
#include "../tests/spreadsheet/SpreadsheetFuzz.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 60.0;
    const quint32 seed =
        argc > 2 ? QString::fromLocal8Bit(argv[2]).toUInt() : quint32(time(nullptr));
    const QDir fixtures(argc > 3 ? QString::fromLocal8Bit(argv[3])
                                 : QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                                       QStringLiteral("/../tests/records/fixtures"));
    QStringList samples;
    for (const QString &name : fixtures.entryList(QDir::Files))
        samples.append(fixtures.filePath(name));
    QTemporaryDir work;
    const fuzz::Report report = fuzz::run(samples, seconds, work.path(), seed);
    std::printf("fuzz: seed=%u runs=%d read=%d refused=%d faults=%lld\n", seed, report.runs,
                report.read, report.refused, qlonglong(report.faults.size()));
    if (!report.faults.isEmpty()) {
        work.setAutoRemove(false);
        for (const QString &fault : report.faults)
            std::printf("fault: %s\n", qPrintable(fault));
        return 1;
    }
    return 0;
}
