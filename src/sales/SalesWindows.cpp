#include "sales/SalesWindows.h"

#include "sales/SalesDialog.h"

#if __has_include("sales/AboutDialog.h")
#include "sales/AboutDialog.h"
#define QM_HAS_ABOUT_DIALOG 1
#endif

// Each window below is wired here once it is part of the program; until then
// its control in the sales window stays disabled and says why.
SalesWindows SalesWindows::installed()
{
    SalesWindows windows;
#ifdef QM_HAS_ABOUT_DIALOG
    windows.about = [](QWidget *owner) {
        AboutDialog dlg(owner);
        dlg.exec();
    };
#endif
    // WIRE: help (F1) -> the help opener that comes with AboutDialog:
    //     windows.help = [](QWidget *owner) { <open the help file>(owner); };
    // WIRE: print / preview -> PrintButtonHandler and CMainFrame (printing):
    //     windows.print = [](SalesDialog &owner) { <PrintButtonHandler>(owner); };
    //     windows.preview = [](SalesDialog &owner) { <CMainFrame preview>(owner); };
    // WIRE: settings -> SettingsDialog (login/users issue):
    //     windows.settings = [](QWidget *owner, SettingsHandover &texts) {
    //         SettingsDialog dlg(texts, owner); dlg.exec(); };
    // WIRE: customers -> CustomerDialog, payment methods -> its dialog:
    //     windows.customers = [](QWidget *owner, QString &last) {
    //         CustomerDialog dlg(owner); const bool ok = dlg.exec() == QDialog::Accepted;
    //         last = dlg.lastCustomer(); return ok; };
    //     windows.paymentMethods = [](QWidget *owner) { PaymentMethodDialog dlg(owner); dlg.exec();
    //     };
    // WIRE: query -> QueryDialog:
    //     windows.query = [](SalesDialog &owner) { QueryDialog dlg(owner); dlg.exec(); };
    return windows;
}
