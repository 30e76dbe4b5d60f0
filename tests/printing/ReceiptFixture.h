#pragma once

// Shared pieces of the receipt tests: a receipt laid out at 203 dpi on a
// printable width of 576 dots (72 mm), with the program's font aliases.
#include "app/FontAliases.h"
#include "printing/PrepareReceiptData.h"
#include "printing/ReceiptLayout.h"
#include "printing/ReceiptSample.h"
#include "printing/ReceiptStyle.h"

#include <gtest/gtest.h>

class ReceiptFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FontAliases::install(); }

    static constexpr int dpi = 203;
    static constexpr int width = 576;

    ReceiptFixture()
    {
        sale = ReceiptSample::sale();
        style.switches = sale.switches;
    }

    ReceiptData data() const { return prepareReceiptData(sale, language, style.showPrice); }

    ReceiptDrawing draw() { return drawAt(width); }
    // The receipt on a printable width of PRINTABLE dots.
    ReceiptDrawing drawAt(int printable)
    {
        m_data = data();
        return ReceiptLayout(m_data, style, {dpi, dpi, printable}).renderReceipt();
    }

    int estimate()
    {
        m_data = data();
        return ReceiptLayout(m_data, style, {dpi, dpi, width}).estimatePaperLength();
    }

    SaleSnapshot sale;
    ReceiptStyle style;
    int language = 0;

private:
    ReceiptData m_data;
};
