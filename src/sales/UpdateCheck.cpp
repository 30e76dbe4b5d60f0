#include "sales/UpdateCheck.h"

#include "controls/Prompt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QWidget>

UpdateCheck::UpdateCheck(UpdateCheckConfig config, QObject *parent)
    : QObject(parent), m_config(std::move(config)), m_endProgram([] { QCoreApplication::exit(0); })
{
}

UpdateCheck::~UpdateCheck()
{
    if (m_thread) {
        m_thread->requestInterruption();
        m_thread->wait();
        delete m_thread;
    }
}

void UpdateCheck::start()
{
    if (m_running)
        return;
    if (m_thread) {
        // The last check has reported; its thread may still be on its way out.
        m_thread->wait();
        delete m_thread;
    }
    m_running = true;
    m_done.store(0, std::memory_order_release);
    m_thread = QThread::create([this] {
        m_result = UpdateCheckWorker(m_config).run();
        m_done.store(1, std::memory_order_release);
    });
    connect(m_thread, &QThread::finished, this, &UpdateCheck::report);
    m_thread->start();
}

void UpdateCheck::release()
{
    if (!m_running) {
        deleteLater();
        return;
    }
    m_released = true;
    m_messageParent = nullptr;
    // Still deleted, and the worker waited for, should the program end first.
    setParent(QCoreApplication::instance());
}

void UpdateCheck::report()
{
    m_running = false;
    QWidget *parent = m_messageParent.data();
    switch (m_result.outcome) {
    case UpdateCheckWorker::Outcome::Unreachable:
        Prompt::warn(parent, QStringLiteral("网络连接不通"));
        break;
    case UpdateCheckWorker::Outcome::Unreadable:
        Prompt::warn(parent, QStringLiteral("检测新版本失败：版本信息无法识别，请稍后再试"));
        break;
    case UpdateCheckWorker::Outcome::Current:
        Prompt::info(parent, QStringLiteral("此版本为最新版本"));
        break;
    case UpdateCheckWorker::Outcome::Newer:
        handOverToUpdater();
        break;
    }
    emit finished(m_result.outcome);
    if (m_released)
        deleteLater();
}

void UpdateCheck::handOverToUpdater()
{
    QWidget *parent = m_messageParent.data();
    const QString updater = m_config.updaterPath();
    if (!QFileInfo(updater).isFile()) {
        Prompt::warn(parent,
                     QStringLiteral("发现新版本，但没有找到升级程序：\n%1\n请到网站下载新版本。")
                         .arg(updater));
        return;
    }
    if (!QProcess::startDetached(updater, {}, m_config.workingDir)) {
        Prompt::warn(parent, QStringLiteral("发现新版本，但不能启动升级程序：\n%1").arg(updater));
        return;
    }
    m_endProgram();
}
