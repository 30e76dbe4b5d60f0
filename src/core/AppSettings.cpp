#include "core/AppSettings.h"

AppSettings &AppSettings::instance()
{
    static AppSettings settings;
    return settings;
}
