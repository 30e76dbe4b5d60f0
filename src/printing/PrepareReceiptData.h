#pragma once

#include "printing/ReceiptData.h"

struct SaleSnapshot;

// The receipt record of a sale on the sales window: labels of the label
// language, values in their print formats, header slots and rows with or
// without the unit price ("打印单价").
ReceiptData prepareReceiptData(const SaleSnapshot &sale, int labelLanguage, bool showPrice);
