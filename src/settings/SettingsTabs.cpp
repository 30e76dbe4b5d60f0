#include "settings/SettingsTabs.h"

SettingsTabs::SettingsTabs(QWidget *parent) : QTabWidget(parent)
{
    setDocumentMode(false);
    setUsesScrollButtons(true);
}

bool SettingsTabs::addPage(QWidget *page, const QString &caption)
{
    if (!page || count() >= MaxPages)
        return false;
    addTab(page, caption);
    return true;
}
