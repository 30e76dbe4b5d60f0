#include "sales/SalesWindows.h"

#include "app/AppSettings.h"
#include "sales/SalesDialog.h"

#include "printing/PrintButtonHandler.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPrinter.h"

#include "sales/AboutDialog.h"
#include "sales/HelpFile.h"
#include "settings/CustomerDialog.h"
#include "settings/PaymentMethodDialog.h"
#include "settings/SettingsDialog.h"

// The windows the sales window opens. The query window is not part of the
// program yet: its entry stays empty and its control says so.
SalesWindows SalesWindows::installed()
{
    SalesWindows windows;
    windows.about = [](SalesDialog &owner) {
        AboutDialog dlg(owner.session().settings(), &owner);
        dlg.exec();
    };
    windows.help = [](SalesDialog &owner) {
        HelpFile(owner.session().settings().programDir).open(&owner);
    };
    windows.print = [](SalesDialog &owner) {
        ReceiptPrinter printer(owner.session().settings(), owner.printSettings(), &owner);
        PrintButtonHandler(owner, owner.session().settings(), owner.printSettings(), printer).run();
    };
    windows.preview = [](SalesDialog &owner) {
        ReceiptPreview::open(owner, owner.session().settings(), owner.printSettings());
    };
    windows.settings = [](QWidget *owner, SettingsHandover &texts) {
        auto *sales = qobject_cast<SalesDialog *>(owner);
        AppSettings &settings = sales ? sales->session().settings() : AppSettings::instance();
        texts = SettingsDialog::run(settings, texts, owner);
    };
    windows.customers = [](QWidget *owner, QString &lastCustomer) {
        auto *sales = qobject_cast<SalesDialog *>(owner);
        AppSettings &settings = sales ? sales->session().settings() : AppSettings::instance();
        CustomerDialog dlg(settings, owner);
        const bool changed = dlg.exec() == QDialog::Accepted;
        lastCustomer = dlg.customerName();
        return changed;
    };
    windows.paymentMethods = [](QWidget *owner) {
        auto *sales = qobject_cast<SalesDialog *>(owner);
        AppSettings &settings = sales ? sales->session().settings() : AppSettings::instance();
        PaymentMethodDialog dlg(settings, owner);
        dlg.exec();
    };
    return windows;
}
