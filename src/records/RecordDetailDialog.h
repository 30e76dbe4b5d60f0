#pragma once

#include "data/Database.h"
#include "records/SaleDetails.h"
#include "sales/EntryRow.h"

#include <QDialog>
#include <QHash>

#include <memory>

struct AppSettings;
namespace Ui {
class RecordDetailDialog;
}

// "详情": one stored sale with its lines, opened from the query window. The
// lines and the header fields are edited here and stored together by Save;
// the caller reads what was saved after the dialog ends. Only an
// administrator may add, change, delete or export lines; anyone may change
// and save the header fields. Closing with unsaved changes asks first.
class RecordDetailDialog : public QDialog
{
    Q_OBJECT

public:
    // RECORDS is the caller's connection to the records; HEADER the sale as listed.
    RecordDetailDialog(const AppSettings &settings, Database &records,
                       const SaleDetails::Header &header, QWidget *parent = nullptr);
    ~RecordDetailDialog() override;

    bool saved() const { return m_saved; }
    // As of the last save.
    const SaleDetails::Header &savedHeader() const { return m_savedHeader; }
    const SaleDetails::Saved &savedValues() const { return m_savedValues; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setUpList();
    void loadLines();
    void loadChoices();
    void showHeader();
    void applyRights();
    void connectControls();

    // The entry row's line, or empty after telling the user what is wrong.
    bool readEntry(EntryRow &entry, bool checkName);
    void resetEntry();
    void addLine();
    void changeLine();
    void deleteLine();
    void copyLine(int row);
    void lookUpPrice(const QString &name);
    void recomputeTotal();
    SaleLines lines() const;
    SaleDetails::Header header() const;
    bool save();
    void exportLines();
    void changed() { m_dirty = true; }
    void updateButtons();

    std::unique_ptr<Ui::RecordDetailDialog> ui;
    const AppSettings &m_settings;
    Database &m_records;
    Database m_catalogue; // the settings database, for the name box and its prices
    SaleDetails::Header m_header;
    // The stored lines by item data, while the person has not changed them.
    QHash<qint64, SaleLine> m_stored;
    SaleDetails::Header m_savedHeader;
    SaleDetails::Saved m_savedValues;
    bool m_administrator = false;
    bool m_saved = false;
    bool m_dirty = false;
};
