#pragma once

#include "printing/ReceiptData.h"
#include "printing/ReceiptDrawing.h"
#include "printing/ReceiptStyle.h"
#include "printing/ReceiptText.h"

#include <QList>

#include <optional>

// The receipt's geometry: where every rule, text and the logo goes on a
// device of a given resolution and printable width, for "模板01#"
// (drawTemplate01) and "模板02#" (drawTemplate02), and the paper length the
// receipt needs. Layout numbers are screen pixels (96 per inch) converted to
// device dots with rx and ry; fonts are sized at 96 dpi and not converted.
class ReceiptLayout
{
public:
    // The device as the layout sees it.
    struct Target
    {
        int dpiX = layoutDpi;
        int dpiY = layoutDpi;
        int horzRes = 0; // printable width in dots
    };

    // The layout was made for receipt printers of 203 dpi, its fonts sized in
    // dots at that resolution: every device gets it laid out at 203 dpi and
    // scaled when painted, so a text has one size on paper and breaks its
    // lines at the same places on any printer.
    static constexpr int layoutDpi = 203;

    ReceiptLayout(const ReceiptData &data, const ReceiptStyle &style, Target target);

    // The whole receipt, in the template the style selects.
    ReceiptDrawing renderReceipt() const;
    // Paper length in tenths of a millimetre, counted in lines.
    int estimatePaperLength() const;

    double rx() const { return m_rx; }
    double ry() const { return m_ry; }
    int dy() const { return m_dy; }
    int left() const { return m_left; }
    int right() const { return m_right; }

    // Column bounds [x1, x2) as fractions of the width, each share truncated
    // on its own: WIDTHS of a denominator N.
    QList<QPair<int, int>> columns(const QList<int> &widths, int n) const;

    // How a table cell's text fits its column: at the body size when it fits
    // on one line, else at the largest smaller size that does, down to two
    // thirds of the body size; below that it breaks onto more lines.
    struct CellFit
    {
        int pixelSize = 0; // 0: the body size
        int height = 0;    // of its lines
        ReceiptText::Breaks breaks = ReceiptText::Breaks::Words;
    };
    CellFit fitCell(const QString &text, int width, int extra) const;
    // Dots kept clear between a table cell's text and its neighbour's.
    int cellGap() const;

private:
    struct Pass;

    void drawTemplate01(Pass &pass) const;
    void drawTemplate02(Pass &pass) const;
    // Shop name, logo, rules and header lines; returns the top of the line
    // above the column headers.
    int drawCommonStart(Pass &pass, int startLine) const;
    // The column headers under LINETOP and the rule below them; returns R0,
    // where the rows start.
    int drawColumnHeaders(Pass &pass, int lineTop, const QList<QPair<int, int>> &cols,
                          const QStringList &headers, const QList<Qt::Alignment> &alignments) const;
    void drawTotals(Pass &pass, int end) const;
    void drawRemark(Pass &pass, int start) const;

    int measureHeight(const QString &text, int width, int extra,
                      ReceiptText::Breaks breaks = ReceiptText::Breaks::WordsOrGlyphs) const;
    // Whole line bands a text of HEIGHT dots takes: one, and one more for
    // every full band beyond it.
    int bandsFor(int height) const;
    // Extra height a remark piece takes beyond its own band.
    int remarkExtra(const QString &piece, int extra) const;
    QList<int> template01Widths(int &n) const;
    // The columns of "模板01#", value columns widened to NEEDS at the name
    // column's expense where it can spare the dots.
    QList<QPair<int, int>> template01Columns() const;
    QList<QPair<int, int>> widenToFit(QList<QPair<int, int>> cols, const QList<int> &needs) const;
    QStringList template01Headers() const;
    // A row's value slots in column order.
    QStringList valuesOf(const ReceiptLine &line) const;
    static QStringList remarkPieces(const QString &remark);

    const ReceiptData &m_data;
    const ReceiptStyle &m_style;
    Target m_target;
    double m_rx;
    double m_ry;
    int m_dy;
    int m_left;
    int m_right;
    ReceiptFont m_titleFont;
    ReceiptFont m_bodyFont;
};
