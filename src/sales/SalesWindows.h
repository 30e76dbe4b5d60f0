#pragma once

#include "printing/SettingsHandover.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class ReceiptOutput;
class SalesDialog;

// The windows and actions the sales window starts but other parts of the
// program provide; an empty entry does nothing. The program installs its
// wiring (app/SalesWindows.h) before it opens a window, and every sales
// window starts with what is installed.
struct SalesWindows
{
    // Where a finished sale's receipt goes (the shop's printers), and the
    // preview of the sale on the owner.
    std::function<std::unique_ptr<ReceiptOutput>(SalesDialog &owner)> receiptOutput;
    std::function<void(SalesDialog &owner)> preview;
    // Settings window: runs modally, leaves its values in the handover.
    std::function<void(QWidget *owner, SettingsHandover &texts)> settings;
    // Customers window: true when a change reached the database; LASTCUSTOMER
    // then holds what its customer field held last.
    std::function<bool(QWidget *owner, QString &lastCustomer)> customers;
    std::function<void(QWidget *owner)> paymentMethods;
    // Query window; the sales window's records connection is closed meanwhile.
    std::function<void(SalesDialog &owner)> query;
    std::function<void(SalesDialog &owner)> about;
    std::function<void(SalesDialog &owner)> help;

    static SalesWindows installed();
    static void install(SalesWindows windows);
};
