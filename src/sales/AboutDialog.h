#pragma once

#include "sales/UpdateCheckConfig.h"

#include <QDialog>
#include <QTimer>

#include <functional>

struct AppSettings;
class UpdateCheck;

namespace Ui {
class AboutDialog;
}

// "关于 Quillmarch": name, version and contact lines, the help and the online
// update check. Closed with the title bar or Esc.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(const AppSettings &settings, QWidget *parent = nullptr);
    AboutDialog(UpdateCheckConfig config, QWidget *parent = nullptr);
    // A check still running goes on without the box: its result is still shown.
    ~AboutDialog() override;

    // Button "在线升级(&U)": the progress line animates every half second
    // until the worker is done.
    void startUpdateCheck();
    // Button "帮助(&H)...".
    void openHelpFile();

    // How the program ends when the updater has been started (tests record it).
    void setEndProgram(std::function<void()> endProgram) { m_endProgram = std::move(endProgram); }

    static QString progressText(int ticks);

private:
    void setUpTexts();
    void setUpLook();
    void tick();

    Ui::AboutDialog *m_ui;
    UpdateCheckConfig m_config;
    UpdateCheck *m_check = nullptr;
    QTimer m_progressTimer;
    int m_ticks = 0;
    std::function<void()> m_endProgram;
};
