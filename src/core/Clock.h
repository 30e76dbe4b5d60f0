#pragma once

#include <QDateTime>

// The program's notion of "now". Tests fix it to a known moment.
class Clock
{
public:
    static QDateTime now();
    static void setFixed(const QDateTime &moment);
    static void clearFixed();

    // "%d-%02d-%02d %02d:%02d:%02d", the stored form of a sale time.
    static QString stamp(const QDateTime &moment);

private:
    static QDateTime s_fixed;
};
