#pragma once

#include "sales/SalesWindows.h"

// The program's wiring: the windows the sales window opens (printing,
// preview, query, settings, customers, payment methods, about, help).
// main() installs them with SalesWindows::install.
SalesWindows programSalesWindows();
