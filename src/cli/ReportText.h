#pragma once

#include <QString>

class DayReport;

// The owner's report as the command line writes it: "text" for a person (the
// day-end report's words), "csv" and "json" for other programs. Money is
// written with two decimals, quantities as short as they read.
class ReportText
{
public:
    enum class Format
    {
        Text,
        Csv,
        Json
    };

    // False when NAME is none of "text", "csv", "json".
    static bool formatNamed(const QString &name, Format &format);
    static QString write(const DayReport &report, const QString &period, Format format);

private:
    static QString text(const DayReport &report, const QString &period);
    static QString csv(const DayReport &report);
    static QString json(const DayReport &report, const QString &period);
};
