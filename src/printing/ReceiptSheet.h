#pragma once

#include "printing/PaperLayout.h"

#include <QPageLayout>
#include <QString>

class Database;

// A paper of the roll as a given printer would print it: its page (the
// printer's paper width by the paper's length, the printer's unprintable
// edges as margins) and the drawing laid out for that printer. The day-end
// report's preview and the receipts saved as PDF files are made from it, so
// they show what the printer prints.
class ReceiptSheet
{
public:
    QPageLayout page;
    ReceiptDrawing drawing;

    // On PRINTERNAME, a CUPS queue (empty: an 80 mm roll without a printer).
    // A raw queue prints its own roll width at 203 dpi without margins; its
    // width is read from SETTINGSDB. Throws DatabaseError.
    static ReceiptSheet on(const QString &printerName, Database &settingsDb,
                           const PaperLayout &layout);

    // One page of the paper's size, its text kept as text with the fonts
    // embedded. Returns false when the file could not be written.
    bool writePdf(const QString &path, const QString &title) const;

private:
    static ReceiptSheet onRaw(const QString &printerName, Database &settingsDb,
                              const PaperLayout &layout);
};
