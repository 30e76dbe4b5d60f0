#include "printing/RawReceiptJob.h"

#include "printing/EscPosJob.h"
#include "printing/RawPrinterSetup.h"
#include "printing/ReceiptRaster.h"

RawReceiptJob RawReceiptJob::make(const ReceiptData &data, const ReceiptStyle &style,
                                  const RawPrinterSetup &setup, bool newSale)
{
    RawReceiptJob job;
    job.raster = ReceiptRaster::of(data, style, RawPrinterSetup::knownDots(setup.paperDots));
    job.bytes = EscPosJob::build(job.raster, newSale && setup.openDrawer);
    return job;
}
