#pragma once

#include "sales/SalesDialog.h"
#include "support/Gui.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVariantList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// The sales window as start-up leaves it: fresh delivered databases, settings
// loaded for 7 March 2024, the administrator logged in.
class SalesWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override;

    void login(const QString &user, const QString &power);
    // Opens the window, shown and active; with WINDOWS instead of the program's own.
    SalesDialog &open(std::optional<SalesWindows> windows = std::nullopt);

    template <typename T = QWidget> T *w(const char *name)
    {
        return child<T>(m_dialog.get(), name);
    }
    QLineEdit *edit(const char *name) { return w<QLineEdit>(name); }
    QComboBox *box(const char *name) { return w<QComboBox>(name); }

    // Types a sale line into the entry row and presses Enter, as a cashier does.
    void enterLine(const QString &name, const QString &quantity, const QString &price);
    void enterLine(const char *name, const char *quantity, const char *price)
    {
        enterLine(QString::fromUtf8(name), QString::fromUtf8(quantity), QString::fromUtf8(price));
    }

    QString settingsValue(const QString &sql, const QVariantList &values = {});
    QString recordsValue(const QString &sql, const QVariantList &values = {});

    TestEnv m_env;
    std::unique_ptr<SalesDialog> m_dialog;
};
