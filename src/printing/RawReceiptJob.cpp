#include "printing/RawReceiptJob.h"

#include "printing/EscPosJob.h"
#include "printing/RawPrinterSetup.h"
#include "printing/ReceiptRaster.h"

RawReceiptJob RawReceiptJob::make(const ReceiptData &data, const ReceiptStyle &style,
                                  const RawPrinterSetup &setup, bool newSale)
{
    return make(ReceiptRaster::layout(data, style, RawPrinterSetup::knownDots(setup.paperDots)),
                newSale && setup.openDrawer);
}

RawReceiptJob RawReceiptJob::make(const ReceiptDrawing &drawing, bool openDrawer)
{
    RawReceiptJob job;
    job.raster = ReceiptRaster::of(drawing);
    job.bytes = EscPosJob::build(job.raster, openDrawer);
    return job;
}

ReceiptLayout::Target RawReceiptJob::target(const RawPrinterSetup &setup)
{
    return {RawPrinterSetup::dpi, RawPrinterSetup::dpi,
            RawPrinterSetup::knownDots(setup.paperDots)};
}
