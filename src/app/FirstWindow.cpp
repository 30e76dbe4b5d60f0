#include "app/FirstWindow.h"

#include "app/AppSettings.h"
#include "sales/SalesDialog.h"

#include <cstdio>

int FirstWindow::run(AppSettings &settings)
{
    if (settings.directLogin != 0) {
        SalesDialog sales(settings);
        sales.exec();
        return 0;
    }
    // LOGIN: the login dialog (which runs the sales window after a successful login) goes here.
    std::printf("Quillmarch: settings loaded for %s; the login window is not available yet.\n",
                settings.userName.toUtf8().constData());
    return 0;
}
