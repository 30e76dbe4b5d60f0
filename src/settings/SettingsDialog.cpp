#include "settings/SettingsDialog.h"

#include "controls/ModalDialogs.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "printing/PrintInfoPage.h"
#include "settings/ProductPage.h"
#include "settings/SettingsTabs.h"
#include "users/UsersPage.h"

#include <QVBoxLayout>

SettingsDialog::SettingsDialog(AppSettings &settings, const SettingsHandover &handover,
                               QWidget *parent)
    : QDialog(parent), m_settings(settings), m_handover(handover), m_tabs(new SettingsTabs(this))
{
    setWindowTitle(QStringLiteral("设置"));
    setObjectName(QStringLiteral("SettingsDialog"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_tabs);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    addPages();
    m_tabs->setCurrentIndex(0);
    resize(620, 440);
}

SettingsHandover SettingsDialog::run(AppSettings &settings, const SettingsHandover &handover,
                                     QWidget *parent)
{
    SettingsDialog dialog(settings, handover, parent);
    ModalDialogs::run(dialog);
    return dialog.m_handover;
}

void SettingsDialog::addPages()
{
    // In this order: the print-information page (administrators only, so that
    // ordinary users cannot change the shop settings), the product page, the
    // users page.
    if (m_settings.isAdministrator()) {
        m_printInfo = new PrintInfoPage(m_settings, m_handover, this);
        if (!addPage(m_printInfo, printInfoCaption()))
            m_printInfo = nullptr;
    }
    addPage(new ProductPage(m_settings, this), productCaption());
    addPage(new UsersPage(m_settings, this), usersCaption());
}

void SettingsDialog::done(int result)
{
    if (m_printInfo && m_printInfo->hasUnsavedEdits()) {
        const Prompt::Answer answer =
            Prompt::instance().ask(this, unsavedQuestion(), Prompt::applicationTitle(),
                                   Prompt::Icon::Question, Prompt::Buttons::YesNoCancel);
        if (answer == Prompt::Answer::Cancel ||
            (answer == Prompt::Answer::Yes && !m_printInfo->save()))
            return;
    }
    QDialog::done(result);
}

bool SettingsDialog::addPage(QWidget *page, const QString &caption)
{
    if (m_tabs->addPage(page, caption))
        return true;
    delete page;
    return false;
}
