#pragma once

#include "core/AppSettings.h"

#include <QString>

// One row of USER: name (compared exactly, so case matters), the stored
// password (a hash string, or plain text from an older installation) and the
// power, "管理员" or "普通用户".
struct UserAccount
{
    QString name;
    QString code;
    QString power;

    bool isAdministrator() const { return power == AppSettings::administratorPower(); }
};
