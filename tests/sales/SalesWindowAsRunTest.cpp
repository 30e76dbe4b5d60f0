// The sales window as the program runs it: modally from the first window, so
// that anything that hides it would end its loop and the program with it.
#include "app/FirstWindow.h"
#include "app/SettingsLoader.h"
#include "core/AppSettings.h"
#include "data/Database.h"
#include "printing/ReceiptPreviewWindow.h"
#include "sales/SalesDialog.h"
#include "support/Gui.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

ReceiptPreviewWindow *shownPreview()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *frame = qobject_cast<ReceiptPreviewWindow *>(widget);
        if (frame && frame->isVisible())
            return frame;
    }
    return nullptr;
}

TEST(SalesWindowAsRun, PreviewClosedWithItsCloseBoxThenTheSaleIsStored)
{
    TestEnv env;
    AppSettings &settings = env.settings();
    {
        Database db;
        ASSERT_TRUE(db.open(settings.settingsDsn));
        SettingsLoader::loadFrom(db, settings, QDate(2024, 3, 7), QString());
    }
    settings.directLogin = 1;
    settings.userName = QStringLiteral("admin");
    // The sales window and the preview run their own loops, as in the program.
    ScriptedDialogs::RealLoops realLoops;

    bool previewShown = false;
    bool blockedByPreview = false;
    bool visibleAfterPreview = false;
    bool closedByCashier = false;
    QTimer::singleShot(0, [&] {
        auto *sales = qobject_cast<SalesDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(sales) << "the sales window runs modally";
        retype(sales->findChild<QComboBox *>("productBox"), QStringLiteral("tea"));
        retype(sales->findChild<QLineEdit *>("quantityEdit"), QStringLiteral("2"));
        retype(sales->findChild<QLineEdit *>("priceEdit"), QStringLiteral("3.5"));
        QTest::keyClick(sales->findChild<QLineEdit *>("priceEdit"), Qt::Key_Return);

        sales->findChild<QPushButton *>("previewButton")->click();
        previewShown = QTest::qWaitFor([] { return shownPreview() != nullptr; }, 5000);
        QPointer<ReceiptPreviewWindow> frame = shownPreview();
        ASSERT_TRUE(frame);
        blockedByPreview = QApplication::activeModalWidget() == frame.data();
        frame->windowHandle()->close(); // the title bar's close box
        QTest::qWaitFor([&] { return frame.isNull(); }, 5000);
        visibleAfterPreview = sales->isVisible();

        sales->findChild<QPushButton *>("saveOnlyButton")->click();
        // The cashier leaves later, from the window's own loop.
        QTimer::singleShot(50, sales, [&closedByCashier, sales] {
            closedByCashier = true;
            sales->reject();
        });
    });
    FirstWindow::run(settings);

    EXPECT_TRUE(previewShown);
    EXPECT_TRUE(blockedByPreview);
    EXPECT_TRUE(visibleAfterPreview);
    EXPECT_TRUE(closedByCashier) << "the sales window ended before the cashier closed it";
    Database records;
    ASSERT_TRUE(records.open(settings.recordsDsn));
    EXPECT_EQ(records.scalar(QStringLiteral("select count(*) from \"POS_RECORD_DETAIL\" where "
                                            "\"name\" = ?"),
                             {QStringLiteral("tea")}),
              QStringLiteral("1"));
}

} // namespace
