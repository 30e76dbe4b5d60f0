#pragma once

#include <QString>
#include <QStringList>

class Database;
struct AppSettings;

// The receipt's fonts, line spacing and label language as the font dialog
// edits them. Sizes and spacing are kept as typed; memory takes their numbers.
struct FontSettings
{
    QString titleFace;
    QString titleSize;
    QString bodyFace;
    QString bodySize;
    QString lineSpacing;
    int labelLanguage = 0; // 0 中文, 1 英文

    static FontSettings from(const AppSettings &settings);

    // Why these values cannot be stored, or empty when they can.
    QString problem() const;

    // The login row's faces, sizes and spacing and the options row's language,
    // in one transaction. Throws DatabaseError; nothing is written then.
    void store(Database &settingsDb) const;
    void apply(AppSettings &settings) const;

    // The faces to choose from: every installed family and every face the
    // program maps onto one (黑体, 宋体, ...), sorted, each once.
    static QStringList faces();
};
