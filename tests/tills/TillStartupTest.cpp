// A till started while its database server is down: one message that names
// the server and says why, a login dialog that waits for the server, and once
// the server answers the users and the settings without a restart.
#include "app/FirstWindow.h"
#include "app/Startup.h"
#include "core/AppSettings.h"
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/LoginRow.h"
#include "support/Gui.h"
#include "support/PgServer.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedPrompt.h"
#include "support/TestEnv.h"
#include "users/LoginDialog.h"
#include "users/UserAccounts.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// Starts the server again however the test ends.
struct ServerBack
{
    bool down = false;
    ~ServerBack()
    {
        if (down)
            PgServer::start();
    }
};

TEST(TillStartup, ATillStartedWhileTheServerIsDownLogsInOnceTheServerAnswers)
{
    QM_REQUIRE_POSTGRES();
    TestEnv env;
    const QString dsn = PgServer::preparedDataSource(true);
    const QString database = DataSource::lookup(dsn).database;
    {
        Database db;
        ASSERT_TRUE(db.open(dsn));
        ASSERT_EQ(UserAccounts(db).add(s("张敏"), s("pw"), s("pw"), AppSettings::ordinaryPower()),
                  UserAccounts::AddResult::Added);
        LoginRow::store(db, s("张敏"), AppSettings::ordinaryPower(), false);
    }

    ServerBack server;
    ASSERT_TRUE(PgServer::stop());
    server.down = true;
    AppSettings settings = env.settings();
    settings.settingsDsn = dsn;
    Startup startup({env.programDir(), env.workingDir(),
                     QDir(env.programDir()).filePath(QStringLiteral("instance.lock"))});
    ASSERT_TRUE(startup.prepare(settings));
    EXPECT_TRUE(env.prompt().messages().isEmpty()) << "the login dialog says it, once";

    QString shownName;
    whenModal(QStringLiteral("LoginDialog"), [&](QDialog *dialog) {
        auto *names = child<QComboBox>(dialog, "userName");
        auto *retry = child<QPushButton>(dialog, "retryButton");
        auto *logIn = child<QPushButton>(dialog, "logInButton");
        // One message: a Chinese sentence, where the server was looked for, the driver's words.
        ASSERT_EQ(env.prompt().messages().size(), 1);
        const QString said = env.prompt().lastText();
        EXPECT_TRUE(said.startsWith(s("不能打开数据库："))) << qPrintable(said);
        for (const QString &part : {PgServer::host(), QStringLiteral("5432"), database})
            EXPECT_TRUE(said.contains(part)) << qPrintable(part) << "\n" << qPrintable(said);
        EXPECT_TRUE(said.contains(QStringLiteral(".s.PGSQL.5432"))) << qPrintable(said);
        EXPECT_EQ(names->count(), 0);
        EXPECT_TRUE(retry->isVisible());
        EXPECT_EQ(child<QLabel>(dialog, "hint")->text(), LoginDialog::offlineHint());

        // "登录" while the server is still down tries it again and names it again.
        click(logIn);
        ASSERT_EQ(env.prompt().messages().size(), 2);
        EXPECT_TRUE(env.prompt().lastText().startsWith(s("不能打开数据库：")));
        EXPECT_TRUE(dialog->isVisible());

        ASSERT_TRUE(PgServer::start());
        server.down = false;
        click(retry);
        EXPECT_EQ(env.prompt().messages().size(), 2) << qPrintable(env.prompt().lastText());
        EXPECT_FALSE(retry->isVisible());
        EXPECT_EQ(child<QLabel>(dialog, "hint")->text(), s("[用户名“admin”初始密码为空]"));
        QStringList listed;
        for (int i = 0; i < names->count(); ++i)
            listed.append(names->itemText(i));
        EXPECT_EQ(listed, (QStringList{s("admin"), s("张敏")}));
        // The stored login row was read now: its user is the one offered.
        shownName = names->currentText();
        commitText(child<QLineEdit>(dialog, "password"), s("pw"));
        click(logIn);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << qPrintable(env.prompt().lastText());
    });
    QString cashier;
    whenModal([&](QDialog *sales) {
        cashier = child<QComboBox>(sales, "cashierBox")->currentText();
        sales->reject();
    });
    EXPECT_EQ(FirstWindow::run(settings), 0);
    EXPECT_EQ(shownName, s("张敏"));
    EXPECT_EQ(settings.userName, s("张敏"));
    EXPECT_EQ(settings.userPower, AppSettings::ordinaryPower());
    EXPECT_EQ(cashier, s("张敏"));
}

} // namespace
