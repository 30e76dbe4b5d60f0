#pragma once

#include <QTabWidget>

// The tab host of the settings window: pages in the order added, each under
// its own tab, at most 16 of them. The pages stay owned by their window.
class SettingsTabs : public QTabWidget
{
    Q_OBJECT
public:
    static constexpr int MaxPages = 16;

    explicit SettingsTabs(QWidget *parent = nullptr);

    // False, and nothing changes, when 16 pages are present already.
    bool addPage(QWidget *page, const QString &caption);
    int pageCount() const { return count(); }
};
