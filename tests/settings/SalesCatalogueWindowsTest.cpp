// The customers and payment-methods windows opened from the sales window the
// way the program wires them, and what the sales window's boxes show after
// each way of closing them.
#include "app/SettingsLoader.h"
#include "controls/SortableList.h"
#include "data/Database.h"
#include "sales/SalesDialog.h"
#include "settings/CustomerDialog.h"
#include "settings/PaymentMethodDialog.h"
#include "support/SalesWindowFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

#include <gtest/gtest.h>

namespace {

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

class SalesCatalogueWindows : public SalesWindowFixture
{
protected:
    void SetUp() override
    {
        SalesWindowFixture::SetUp();
        open();
    }

    QPushButton *button(const char *name) { return w<QPushButton>(name); }

    // Runs ACTION in the window that BUTTON opens, then leaves it running for
    // ACTION to end.
    template <typename Window>
    void openFromSales(const char *buttonName, const std::function<void(Window &)> &action)
    {
        bool opened = false;
        whenModal([&](QDialog *dialog) {
            auto *window = qobject_cast<Window *>(dialog);
            opened = window != nullptr;
            if (window)
                action(*window);
            else
                dialog->reject();
        });
        click(button(buttonName));
        EXPECT_TRUE(opened) << buttonName;
    }

    void insertCustomer(const QString &name, const QString &phone)
    {
        Database db;
        ASSERT_TRUE(db.open(m_env.settings().settingsDsn));
        db.exec(QStringLiteral("insert into \"SALER\" (\"items\",\"standby\") values (?,?)"),
                {name, phone});
    }

    static void addCustomer(CustomerDialog &window, const QString &name, const QString &phone)
    {
        auto *nameEdit = child<QPlainTextEdit>(&window, "nameEdit");
        nameEdit->clear();
        commitText(nameEdit, name);
        child<QLineEdit>(&window, "phoneEdit")->setText(phone);
        click(child<QPushButton>(&window, "addButton"));
    }

    static void typeMethod(PaymentMethodDialog &window, const QString &text)
    {
        auto *edit = child<QLineEdit>(&window, "methodEdit");
        edit->clear();
        commitText(edit, text);
    }

    static void selectRow(QDialog &window, int row)
    {
        auto *list = child<SortableList>(&window, "list");
        const QRect cell = list->visualRect(list->model()->index(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

TEST_F(SalesCatalogueWindows, CustomerBoxesFollowOnlyAChangeClosedWithTheCloseBox)
{
    click(child<QCheckBox>(m_dialog.get(), "customerCheck"));
    ASSERT_TRUE(box("customerBox")->isEnabled());
    EXPECT_EQ(box("customerBox")->count(), 0);

    // An added customer, then the close box: both boxes are reloaded and the
    // customer box takes the name field's text.
    openFromSales<CustomerDialog>("customersButton", [&](CustomerDialog &window) {
        addCustomer(window, QStringLiteral("张三 'A'"), QStringLiteral("13800000001"));
        window.close();
    });
    EXPECT_EQ(items(box("customerBox")), QStringList{QStringLiteral("张三 'A'")});
    EXPECT_EQ(items(box("phoneBox")), QStringList{QStringLiteral("13800000001")});
    EXPECT_EQ(box("customerBox")->currentText(), QStringLiteral("张三 'A'"));

    // No change through the window: nothing is reloaded, even though the table
    // changed behind its back.
    openFromSales<CustomerDialog>("customersButton", [&](CustomerDialog &window) {
        insertCustomer(QStringLiteral("李四"), QStringLiteral("139"));
        addCustomer(window, QStringLiteral("张三 'A'"), QString()); // refused: already there
        window.close();
    });
    EXPECT_EQ(m_env.prompt().lastText(), QStringLiteral("此项已存在!"));
    EXPECT_EQ(items(box("customerBox")), QStringList{QStringLiteral("张三 'A'")});

    // Esc is cancel even after a change.
    openFromSales<CustomerDialog>("customersButton", [&](CustomerDialog &window) {
        addCustomer(window, QStringLiteral("王五"), QStringLiteral("137"));
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_EQ(items(box("customerBox")), QStringList{QStringLiteral("张三 'A'")});
    EXPECT_EQ(settingsValue(QStringLiteral("select count(*) from \"SALER\" where \"items\"=?"),
                            {QStringLiteral("王五")}),
              QStringLiteral("1"))
        << "what was added before Esc stays stored";

    // A deletion is a change as well; the cleared name field empties the customer text.
    openFromSales<CustomerDialog>("customersButton", [&](CustomerDialog &window) {
        selectRow(window, 0);
        m_env.prompt().answerNext(Prompt::Answer::Ok);
        click(child<QPushButton>(&window, "deleteButton"));
        window.close();
    });
    EXPECT_EQ(items(box("customerBox")),
              (QStringList{QStringLiteral("李四"), QStringLiteral("王五")}));
    EXPECT_EQ(items(box("phoneBox")), (QStringList{QStringLiteral("139"), QStringLiteral("137")}));
    EXPECT_EQ(box("customerBox")->currentText(), QString());
}

TEST_F(SalesCatalogueWindows, PaymentBoxFollowsEveryRunAndCashIsNotAddedBack)
{
    // The delivered seed row: the sales window offers "现金" from the start.
    EXPECT_EQ(items(box("paymentBox")), QStringList{QStringLiteral("现金")});

    openFromSales<PaymentMethodDialog>("paymentMethodsButton", [&](PaymentMethodDialog &window) {
        typeMethod(window, QStringLiteral("现金"));
        click(child<QPushButton>(&window, "addButton"));
        typeMethod(window, QStringLiteral("微信"));
        click(child<QPushButton>(&window, "addButton"));
        QTest::keyClick(&window, Qt::Key_Escape); // any way of closing
    });
    EXPECT_EQ(m_env.prompt().texts(), QStringList{QStringLiteral("此项已存在!")});
    EXPECT_EQ(items(box("paymentBox")),
              (QStringList{QStringLiteral("现金"), QStringLiteral("微信")}));

    openFromSales<PaymentMethodDialog>("paymentMethodsButton", [&](PaymentMethodDialog &window) {
        for (int i = 0; i < 2; ++i) {
            selectRow(window, 0);
            m_env.prompt().answerNext(Prompt::Answer::Ok);
            click(child<QPushButton>(&window, "deleteButton"));
        }
        window.close();
    });
    EXPECT_EQ(box("paymentBox")->count(), 0);

    // One method of the user's own is kept as it is.
    openFromSales<PaymentMethodDialog>("paymentMethodsButton", [&](PaymentMethodDialog &window) {
        typeMethod(window, QStringLiteral("刷卡"));
        click(child<QPushButton>(&window, "addButton"));
        window.close();
    });
    EXPECT_EQ(items(box("paymentBox")), QStringList{QStringLiteral("刷卡")});
}

} // namespace
