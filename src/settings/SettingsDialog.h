#pragma once

#include "printing/SettingsHandover.h"

#include <QDialog>

struct AppSettings;
class SettingsTabs;
class PrintInfoPage;

// "设置": the settings window with its pages under tabs. It has no buttons of
// its own and is closed with the close box; each page saves its own changes.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    SettingsDialog(AppSettings &settings, const SettingsHandover &handover,
                   QWidget *parent = nullptr);

    // Runs the window modally and returns the handed-over values as its pages
    // left them.
    static SettingsHandover run(AppSettings &settings, const SettingsHandover &handover,
                                QWidget *parent);

    // The values the pages read and change while the window is open.
    SettingsHandover &handover() { return m_handover; }

    // Adds PAGE under a new tab; the window owns it. When 16 pages are present
    // the page is refused and deleted, and false is returned.
    bool addPage(QWidget *page, const QString &caption);
    SettingsTabs *tabs() const { return m_tabs; }

    // Tab captions; the trailing blanks are part of them.
    static QString printInfoCaption() { return QStringLiteral("设置打印信息     "); }
    static QString productCaption() { return QStringLiteral("设置常用商品名      "); }
    static QString usersCaption() { return QStringLiteral("设置用户(收银员)     "); }
    static QString unsavedQuestion() { return QStringLiteral("打印信息已修改，是否保存设置？"); }

    // Closing with unsaved edits on the print-information page asks first:
    // save, discard, or stay.
    void done(int result) override;

private:
    void addPages();

    AppSettings &m_settings;
    SettingsHandover m_handover;
    SettingsTabs *m_tabs;
    PrintInfoPage *m_printInfo = nullptr;
};
