#include "cli/CliProgram.h"

#include "cli/BackupCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CliContext.h"
#include "cli/ExportCommand.h"
#include "cli/ExportProductsCommand.h"
#include "cli/ImportProductsCommand.h"
#include "cli/InitDatabaseCommand.h"
#include "cli/ReportCommand.h"

CliProgram::CliProgram()
{
    m_commands.push_back(std::make_unique<BackupCommand>());
    m_commands.push_back(std::make_unique<CheckCommand>());
    m_commands.push_back(std::make_unique<ReportCommand>());
    m_commands.push_back(std::make_unique<ExportCommand>());
    m_commands.push_back(std::make_unique<ImportProductsCommand>());
    m_commands.push_back(std::make_unique<ExportProductsCommand>());
    m_commands.push_back(std::make_unique<InitDatabaseCommand>());
}

QString CliProgram::help() const
{
    QString text = QStringLiteral("用法：quillmarch-cli [--data-home 文件夹] 命令 [选项]\n"
                                  "\n"
                                  "Quillmarch 收银小票程序的命令行工具：备份、检查、统计和导出，\n"
                                  "不需要图形界面。使用与收银程序相同的数据（odbc.ini 中的数据源\n"
                                  "Quillmarch 和 Quillbook）。\n"
                                  "\n"
                                  "命令：\n");
    for (const auto &command : m_commands)
        text += QStringLiteral("  %1%2\n").arg(command->name(), -17).arg(command->summary());
    text += QStringLiteral(
        "\n"
        "选项：\n"
        "  --data-home 文件夹  使用该文件夹下 data/ 中的数据库（默认与收银程序相同）；\n"
        "  --help              显示本说明；quillmarch-cli 命令 --help 显示命令的说明；\n"
        "  --version           显示版本。\n"
        "\n"
        "退出状态：0 成功，1 失败（原因写在标准错误输出上），2 命令行有误。\n");
    return text;
}

CliCommand *CliProgram::find(const QString &name) const
{
    for (const auto &command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

int CliProgram::run(const QStringList &arguments, const QString &programDir)
{
    QStringList words = arguments;
    QString dataHome;
    while (!words.isEmpty() && words.first().startsWith(u'-')) {
        const QString option = words.takeFirst();
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            CliCommand::say(help());
            return CliCommand::Done;
        }
        if (option == QLatin1String("--version")) {
            CliCommand::say(QStringLiteral("quillmarch-cli " QM_VERSION));
            return CliCommand::Done;
        }
        if (option == QLatin1String("--data-home")) {
            if (words.isEmpty()) {
                CliCommand::complain(QStringLiteral("选项 --data-home 后面缺少文件夹。"));
                return CliCommand::BadUsage;
            }
            dataHome = words.takeFirst();
        } else if (option.startsWith(QLatin1String("--data-home="))) {
            dataHome = option.mid(12);
        } else {
            CliCommand::complain(
                QStringLiteral("不认识的选项：%1\n用 quillmarch-cli --help 查看用法。")
                    .arg(option));
            return CliCommand::BadUsage;
        }
    }
    if (words.isEmpty()) {
        CliCommand::complain(help());
        return CliCommand::BadUsage;
    }
    const QString name = words.takeFirst();
    if (name == QLatin1String("help") && words.isEmpty()) {
        CliCommand::say(help());
        return CliCommand::Done;
    }
    const QString commandName = name == QLatin1String("help") ? words.first() : name;
    CliCommand *command = find(commandName);
    if (!command) {
        CliCommand::complain(
            QStringLiteral("没有命令“%1”。\n用 quillmarch-cli --help 查看命令。").arg(commandName));
        return CliCommand::BadUsage;
    }
    if (name == QLatin1String("help")) {
        CliCommand::say(command->help());
        return CliCommand::Done;
    }
    CliContext context(programDir, dataHome);
    return command->run(words, context);
}
