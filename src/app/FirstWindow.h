#pragma once

struct AppSettings;

// Runs the program's first window: the sales window with direct login,
// otherwise the login dialog, which leads to the sales window after a
// successful login. The program ends when that window closes.
class FirstWindow
{
public:
    enum class Window
    {
        Sales,
        Login
    };

    // With direct login on, the stored user's power is read again from USER
    // (a demoted user keeps no rights); a user who no longer exists, or a
    // table that cannot be read, gets the login dialog.
    static Window choose(AppSettings &settings);

    // Returns the exit code when the first window closes.
    static int run(AppSettings &settings);

    // The sales window, run modally for the logged-in user.
    static int runSalesWindow(AppSettings &settings);
};
