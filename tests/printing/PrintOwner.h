#pragma once

// What the sales window gives the receipt output and the preview: itself as
// the parent of their messages, the settings connection it holds, the sale.
#include "data/Database.h"
#include "printing/ReceiptSample.h"
#include "printing/SaleSnapshot.h"
#include "support/TestEnv.h"

#include <QWidget>

struct PrintOwner
{
    explicit PrintOwner(TestEnv &env)
    {
        window.setWindowTitle(QStringLiteral("QuillmarchV3.5.1 —— 收银员：admin（管理员）"));
        settingsDb.open(env.settings().settingsDsn);
        sale = ReceiptSample::sale();
    }

    QWidget window;
    Database settingsDb;
    SaleSnapshot sale;
};
