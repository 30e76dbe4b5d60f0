#include "app/FirstWindow.h"

#include "app/AppSettings.h"

#include <cstdio>

int FirstWindow::run(AppSettings &settings)
{
    std::printf("Quillmarch: settings loaded for %s; the sales window is not available yet.\n",
                settings.userName.toUtf8().constData());
    return 0;
}
