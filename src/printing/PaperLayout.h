#pragma once

#include "printing/ReceiptDrawing.h"
#include "printing/ReceiptLayout.h"

#include <functional>

// What goes on the receipt roll, laid out for a device: the drawing and the
// paper it needs by the line count (tenths of a millimetre; the page is as
// long as the longer of that and the drawing). A sale's receipt and the
// day-end report both reach the printer, the preview and PDF files this way.
struct LaidOutPaper
{
    ReceiptDrawing drawing;
    int estimate = 0;
};

using PaperLayout = std::function<LaidOutPaper(const ReceiptLayout::Target &target)>;

// A receipt of DATA in STYLE (both kept by reference: they must outlive the layout).
inline PaperLayout receiptPaper(const ReceiptData &data, const ReceiptStyle &style)
{
    return [&data, &style](const ReceiptLayout::Target &target) {
        const ReceiptLayout layout(data, style, target);
        return LaidOutPaper{layout.renderReceipt(), layout.estimatePaperLength()};
    };
}
