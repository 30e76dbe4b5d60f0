#include "app/FontAliases.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

QStringList installedCjkFaces(bool serif)
{
    const QStringList sans = {QStringLiteral("WenQuanYi Micro Hei"),
                              QStringLiteral("Noto Sans CJK SC"),
                              QStringLiteral("Droid Sans Fallback")};
    const QStringList serifs = {QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("AR PL UMing CN")};
    const QStringList families = QFontDatabase::families();
    QStringList found;
    for (const QString &face : serif ? serifs + sans : sans) {
        if (families.contains(face, Qt::CaseInsensitive))
            found << face;
    }
    return found;
}

} // namespace

void FontAliases::install()
{
    const QStringList sansFaces = installedCjkFaces(false);
    const QStringList serifFaces = installedCjkFaces(true);
    if (sansFaces.isEmpty())
        return;
    const QStringList sansNames = {"黑体", "SimHei", "微软雅黑",    "Microsoft YaHei",
                                   "楷体", "KaiTi",  "楷体_GB2312", "幼圆",
                                   "隶书"};
    const QStringList serifNames = {"华文中宋",    "STZhongsong", "宋体", "SimSun",
                                    "新宋体",      "NSimSun",     "仿宋", "FangSong",
                                    "仿宋_GB2312", "华文宋体"};
    for (const QString &name : sansNames) {
        if (!QFontDatabase::families().contains(name))
            QFont::insertSubstitutions(name, sansFaces);
    }
    for (const QString &name : serifNames) {
        if (!QFontDatabase::families().contains(name))
            QFont::insertSubstitutions(name, serifFaces);
    }
}
