#include "printing/FontSettings.h"

#include "core/AppSettings.h"
#include "core/NumberText.h"
#include "data/Database.h"
#include "data/LoginRow.h"
#include "data/OptionsRow.h"
#include "data/Transaction.h"

#include <QFont>
#include <QFontDatabase>

#include <algorithm>

namespace {

// A size or spacing is a whole number from 1 up; anything else would print
// an unreadable receipt.
bool isCount(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0;
}

} // namespace

FontSettings FontSettings::from(const AppSettings &settings)
{
    FontSettings fonts;
    fonts.titleFace = settings.titleFontName;
    fonts.titleSize = QString::number(settings.titleFontSize);
    fonts.bodyFace = settings.bodyFontName;
    fonts.bodySize = QString::number(settings.bodyFontSize);
    fonts.lineSpacing = QString::number(settings.lineSpacing);
    fonts.labelLanguage = settings.labelLanguage;
    return fonts;
}

QString FontSettings::problem() const
{
    if (titleFace.trimmed().isEmpty() || bodyFace.trimmed().isEmpty())
        return QStringLiteral("请选择店名字体和正文字体！");
    if (!isCount(titleSize) || !isCount(bodySize) || !isCount(lineSpacing))
        return QStringLiteral("字号和行间距必须是大于0的整数！");
    return {};
}

void FontSettings::store(Database &settingsDb) const
{
    Transaction transaction(settingsDb);
    LoginRow::storeFonts(settingsDb, titleFace, titleSize, bodyFace, bodySize, lineSpacing);
    OptionsRow::storeLabelLanguage(settingsDb, labelLanguage);
    transaction.commit();
}

void FontSettings::apply(AppSettings &settings) const
{
    settings.titleFontName = titleFace;
    settings.titleFontSize = NumberText::toInt(titleSize);
    settings.bodyFontName = bodyFace;
    settings.bodyFontSize = NumberText::toInt(bodySize);
    settings.lineSpacing = NumberText::toInt(lineSpacing);
    settings.labelLanguage = labelLanguage;
}

QStringList FontSettings::faces()
{
    QStringList names = QFontDatabase::families() + QFont::substitutions();
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}
