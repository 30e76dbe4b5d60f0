#include "app/SalesWindows.h"

#include "controls/ModalDialogs.h"
#include "core/AppSettings.h"
#include "sales/SalesDialog.h"

#include "printing/ReceiptPreview.h"
#include "printing/SaleReceiptOutput.h"

#include "records/QueryDialog.h"
#include "sales/AboutDialog.h"
#include "sales/HelpFile.h"
#include "settings/CustomerDialog.h"
#include "settings/PaymentMethodDialog.h"
#include "settings/SettingsDialog.h"

SalesWindows programSalesWindows()
{
    SalesWindows windows;
    windows.about = [](SalesDialog &owner) {
        AboutDialog dlg(owner.session().settings(), &owner);
        ModalDialogs::run(dlg);
    };
    windows.help = [](SalesDialog &owner) {
        HelpFile(owner.session().settings().programDir).open(&owner);
    };
    windows.receiptOutput = [](SalesDialog &owner) -> std::unique_ptr<ReceiptOutput> {
        return std::make_unique<SaleReceiptOutput>(owner.session().settings(),
                                                   owner.printSettings(), &owner);
    };
    windows.preview = [](SalesDialog &owner) {
        ReceiptPreview::open(&owner, owner.takeSale(), owner.session().settingsDb(),
                             owner.session().settings(), owner.printSettings());
    };
    windows.query = [](SalesDialog &owner) {
        QueryDialog::Printing printing{&owner.printSettings(),
                                       [&owner] { return owner.takeSale().switches; }};
        QueryDialog dlg(owner.session().settings(), printing, &owner);
        dlg.setOpenSale([&owner] { return !owner.session().sale().lines().isEmpty(); });
        ModalDialogs::run(dlg);
        if (dlg.bookReplaced())
            owner.endForNewBook();
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
        const bool changed = ModalDialogs::run(dlg) == QDialog::Accepted;
        lastCustomer = dlg.customerName();
        return changed;
    };
    windows.paymentMethods = [](QWidget *owner) {
        auto *sales = qobject_cast<SalesDialog *>(owner);
        AppSettings &settings = sales ? sales->session().settings() : AppSettings::instance();
        PaymentMethodDialog dlg(settings, owner);
        ModalDialogs::run(dlg);
    };
    return windows;
}
