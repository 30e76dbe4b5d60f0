#include "core/CommandLine.h"

#include <QCoreApplication>

#include <cstring>

CommandLine::CommandLine() : m_quitWhenShown(QStringLiteral("quit-when-shown"))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Quillmarch 收银小票程序：销售录入、小票打印、销售记录查询与统计。"));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_quitWhenShown.setDescription(
        QStringLiteral("Close each window as soon as it is shown (start-up checks)."));
    m_quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
    m_parser.addOption(m_quitWhenShown);
    // Handled by main() before any window: prepares a database server for several tills.
    m_parser.addOption({QStringLiteral("init-database"),
                        QStringLiteral("在数据源所指的空数据库里建立表格和初始数据（数据源名为 "
                                       "Quillmarch 时建立设置库，为 Quillbook 时建立销售记录库），"
                                       "然后退出。已有这些表格的数据库不会被改动。"),
                        QStringLiteral("数据源")});
    m_parser.addOption(
        {QStringLiteral("settings"), QStringLiteral("与 --init-database 同用：建立设置库。")});
    m_parser.addOption(
        {QStringLiteral("records"), QStringLiteral("与 --init-database 同用：建立销售记录库。")});
}

bool CommandLine::initDatabaseAsked(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--init-database") == 0)
            return true;
    }
    return false;
}

void CommandLine::process(const QCoreApplication &app)
{
    m_parser.process(app);
}

void CommandLine::printTextAndExit(const QCoreApplication &app)
{
    m_parser.parse(app.arguments());
    if (m_parser.isSet(QStringLiteral("version")))
        m_parser.showVersion();
    m_parser.showHelp();
}

bool CommandLine::noWindowsNeeded(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option :
             {"-h", "--help", "-help", "--help-all", "-?", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

bool CommandLine::quitWhenShown() const
{
    return m_parser.isSet(m_quitWhenShown);
}
