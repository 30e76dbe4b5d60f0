#pragma once

#include <QString>

// The process-wide values established at start-up and kept up to date by the
// windows that change them (each change goes to the database as well).
struct AppSettings
{
    QString programDir;
    QString workingDir;
    // The folder whose data/ holds the databases; empty: the program's folder.
    QString dataHome;
    QString settingsDsn = QStringLiteral("Quillmarch");
    QString recordsDsn = QStringLiteral("Quillbook");

    int logoWidth = 300;
    int logoHeight = 120;

    QString userName;
    QString userPower;
    int directLogin = 0;

    QString receiptPrefix;
    bool paymentEnabled = false;
    QString lastPayment;

    QString titleFontName = QStringLiteral("黑体");
    int titleFontSize = 23;
    QString bodyFontName = QStringLiteral("华文中宋");
    int bodyFontSize = 21;
    int lineSpacing = 17;

    int labelLanguage = 0; // 0 Chinese labels, 1 English labels
    bool phoneEnabled = false;
    bool showProductCode = true;
    bool templateIndex = false; // true: "模板02#"
    QString printer2Name;
    bool usePrinter2 = false;
    int paperLengthAdjust = 0;

    QString databaseHome() const { return dataHome.isEmpty() ? programDir : dataHome; }
    bool isAdministrator() const { return userPower == administratorPower(); }
    static QString administratorPower() { return QStringLiteral("管理员"); }
    static QString ordinaryPower() { return QStringLiteral("普通用户"); }

    static AppSettings &instance();
};
