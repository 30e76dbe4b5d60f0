#pragma once

struct AppSettings;

// Runs the program's first window (sales window with direct login, otherwise
// the login dialog) and returns the exit code when it closes.
class FirstWindow
{
public:
    static int run(AppSettings &settings);
};
