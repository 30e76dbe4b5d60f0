#include "settings/PageTabCtrl.h"

PageTabCtrl::PageTabCtrl(QWidget *parent) : QTabWidget(parent)
{
    setDocumentMode(false);
    setUsesScrollButtons(true);
}

bool PageTabCtrl::addPage(QWidget *page, const QString &caption)
{
    if (!page || count() >= MaxPages)
        return false;
    addTab(page, caption);
    return true;
}
