#pragma once

#include "printing/PaperLayout.h"
#include "printing/PrintMargins.h"
#include "printing/ReceiptDrawing.h"

class Database;
class QPrinter;
struct ReceiptData;
struct ReceiptStyle;

// The page a receipt is printed on: the printer's paper width by the
// receipt's length - the estimate in lines, or the drawn length when that is
// longer, so a long receipt is never cut and a short one wastes no paper.
class ReceiptPage
{
public:
    // The roll assumed when there is no printer to ask (preview only).
    static constexpr double fallbackPaperWidthMm = 80;

    struct Prepared
    {
        ReceiptDrawing drawing;
        int estimate = 0;     // the paper length estimated, tenths of a millimetre
        int lengthPoints = 0; // the page length set
    };

    // Sets PRINTER up for the receipt (layout resolution, page size, the
    // printer's own unprintable edges as margins) and lays the receipt out for
    // it. The printer's own resolution only scales the drawing.
    static Prepared prepare(QPrinter &printer, const ReceiptData &data, const ReceiptStyle &style);
    // The same for any paper of the roll (the day-end report).
    static Prepared prepare(QPrinter &printer, const PaperLayout &layout);

    // The paper of the printer named PRINTERNAME, or the roll assumed without
    // one (no unprintable edges), as the margin check sees it. A raw queue's
    // roll is read from SETTINGSDB. Throws DatabaseError.
    static PrintMargins::Paper paper(const QString &printerName, Database &settingsDb);
};
