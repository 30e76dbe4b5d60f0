// The Windows face names of the receipt settings resolve to an installed CJK face.
#include "app/FontAliases.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(FontAliases, WindowsFaceNamesDrawChinese)
{
    FontAliases::install();
    for (const QString &face :
         {QStringLiteral("黑体"), QStringLiteral("华文中宋"), QStringLiteral("宋体")}) {
        QFont font(face, 12);
        const QString resolved = QFontInfo(font).family();
        EXPECT_FALSE(resolved.isEmpty()) << face.toStdString();
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x6536))) // 收
            << face.toStdString() << " -> " << resolved.toStdString();
    }
}
