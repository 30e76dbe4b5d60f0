#pragma once

#include "printing/SaleSnapshot.h"

class Database;
class SaleRows;

// A stored sale as the print path takes it: header from the list's row, lines
// read from the records (any number of them), change "0.00", cash received and
// discounted total the stored amount. Printing it stores nothing and takes no
// receipt number. Throws DatabaseError.
class StoredSaleReceipt
{
public:
    static SaleSnapshot snapshot(Database &db, const SaleRows &sales, int sale,
                                 const ReceiptSwitches &switches);
};
