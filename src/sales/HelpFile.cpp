#include "sales/HelpFile.h"

#include "controls/Prompt.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

HelpFile::HelpFile(QString programDir, Opener opener)
    : m_programDir(std::move(programDir)), m_opener(std::move(opener))
{
    if (!m_opener)
        m_opener = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

QString HelpFile::path() const
{
    return QDir(m_programDir).absoluteFilePath(fileName());
}

bool HelpFile::open(QWidget *parent) const
{
    const QString file = path();
    if (!QFileInfo(file).isFile()) {
        Prompt::warn(parent, QStringLiteral("找不到帮助文件：\n%1").arg(file));
        return false;
    }
    if (!m_opener(QUrl::fromLocalFile(file))) {
        Prompt::warn(
            parent,
            QStringLiteral("不能打开帮助文件：\n%1\n请确认系统中已安装网页浏览器。").arg(file));
        return false;
    }
    return true;
}
