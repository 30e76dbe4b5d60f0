#include "core/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void printAndExit(FILE *stream, const QString &text, int status)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
    std::exit(status);
}

bool isSet(const char *variable)
{
    const char *value = std::getenv(variable);
    return value && *value;
}

} // namespace

CommandLine::CommandLine() : m_quitWhenShown(QStringLiteral("quit-when-shown"))
{
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(m_quitWhenShown);
    // Handled by main() before any window: prepares a database server for several tills.
    m_parser.addOption({QStringLiteral("init-database"), QString(), QStringLiteral("数据源")});
    m_parser.addOption({QStringLiteral("settings"), QString()});
    m_parser.addOption({QStringLiteral("records"), QString()});
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "用法：quillmarch [选项]\n"
        "\n"
        "Quillmarch 收银小票程序：销售录入、小票打印、销售记录查询与统计。\n"
        "不带选项时启动收银程序（需要图形界面）。\n"
        "\n"
        "选项：\n"
        "  -h, --help                  显示本说明。\n"
        "  -v, --version               显示版本。\n"
        "  --init-database 数据源      在数据源所指的空数据库里建立表格和初始数据，然后退出\n"
        "                              （与 quillmarch-cli init-database 相同）。数据源名为\n"
        "                              Quillmarch 时建立设置库，为 Quillbook 时建立销售记录库；\n"
        "                              其他名字须加下面两个选项之一。已有这些表格的数据库\n"
        "                              不会被改动。\n"
        "  --settings                  与 --init-database 同用：建立设置库。\n"
        "  --records                   与 --init-database 同用：建立销售记录库。\n"
        "  -platform 名称              Qt 的显示平台，例如 xcb、wayland 或 offscreen。\n"
        "\n"
        "备份、检查、统计和导出也可以不用图形界面，用 quillmarch-cli 完成\n"
        "（quillmarch-cli --help）。");
}

QString CommandLine::noDisplayMessage()
{
    return QStringLiteral(
        "Quillmarch 收银程序需要图形界面，但没有找到显示器（DISPLAY 或 WAYLAND_DISPLAY）。\n"
        "请在桌面上启动它；备份、检查、统计和导出可以用 quillmarch-cli 完成。\n"
        "Quillmarch needs a graphical session, but no display was found (DISPLAY or\n"
        "WAYLAND_DISPLAY). Start it from a desktop; backups, checks, reports and exports\n"
        "can be done with quillmarch-cli.");
}

bool CommandLine::displayAvailable(int argc, char *argv[])
{
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
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
    if (!m_parser.parse(app.arguments())) {
        const QStringList unknown = m_parser.unknownOptionNames();
        const QString named = unknown.isEmpty()
                                  ? m_parser.errorText()
                                  : QStringLiteral("不认识的选项：%1").arg(unknown.join(u' '));
        printAndExit(stderr, named + QStringLiteral("\n用 quillmarch --help 查看所有选项。"), 2);
    }
}

void CommandLine::printTextAndExit(const QCoreApplication &app)
{
    m_parser.parse(app.arguments());
    if (m_parser.isSet(QStringLiteral("version")))
        m_parser.showVersion();
    printAndExit(stdout, helpText(), 0);
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
