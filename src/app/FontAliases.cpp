#include "app/FontAliases.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

// In order of preference. Qt tries a missing family's substitutes in turn and
// passes over those that are not installed, so nothing here asks the font
// database what is installed: building its list of every family on the
// machine costs several milliseconds of every start-up.
const QStringList sansFaces = {QStringLiteral("WenQuanYi Micro Hei"),
                               QStringLiteral("Noto Sans CJK SC"),
                               QStringLiteral("Droid Sans Fallback")};
const QStringList serifFaces =
    QStringList{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")} + sansFaces;

} // namespace

void FontAliases::install()
{
    // A face of these names that is installed is found before its substitutes.
    const QStringList sansNames = {"黑体", "SimHei", "微软雅黑",    "Microsoft YaHei",
                                   "楷体", "KaiTi",  "楷体_GB2312", "幼圆",
                                   "隶书"};
    const QStringList serifNames = {"华文中宋",    "STZhongsong", "宋体", "SimSun",
                                    "新宋体",      "NSimSun",     "仿宋", "FangSong",
                                    "仿宋_GB2312", "华文宋体"};
    for (const QString &name : sansNames)
        QFont::insertSubstitutions(name, sansFaces);
    for (const QString &name : serifNames)
        QFont::insertSubstitutions(name, serifFaces);
}
