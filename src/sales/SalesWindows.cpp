#include "sales/SalesWindows.h"

#include "app/AppSettings.h"
#include "sales/SalesDialog.h"

// The About box and the help come with their own files; they are used as soon
// as those files are part of the program.
#if __has_include("sales/AboutDialog.h") && __has_include("sales/HelpFile.h")
#include "sales/AboutDialog.h"
#include "sales/HelpFile.h"
#define QM_HAS_ABOUT_DIALOG 1
#endif

// Each window below is wired here once it is part of the program; until then
// its control in the sales window stays disabled and says why.
SalesWindows SalesWindows::installed()
{
    SalesWindows windows;
#ifdef QM_HAS_ABOUT_DIALOG
    windows.about = [](SalesDialog &owner) {
        AboutDialog dlg(owner.session().settings(), &owner);
        dlg.exec();
    };
    windows.help = [](SalesDialog &owner) {
        HelpFile(owner.session().settings().programDir).open(&owner);
    };
#endif
    // WIRE print / preview: SalesDialog becomes the printing's PrintHost (its
    // saleLineCount, SaveSaleRecord, ResetRemark, ConsumeReceiptNumber and
    // StartNextSale are the host's steps; takeSale() is pull() plus the session's
    // lines, totals, cash, change and header) and holds a ShopPrintSettings
    // loaded when it opens; then:
    //     windows.print = [](SalesDialog &owner) {
    //         ReceiptPrinter printer(owner.session().settings(), owner.printSettings(), &owner);
    //         PrintButtonHandler(owner, owner.session().settings(), owner.printSettings(),
    //                            printer).run(); };
    //     windows.preview = [](SalesDialog &owner) {
    //         ReceiptPreview::open(owner, owner.session().settings(), owner.printSettings()); };
    // WIRE settings:
    //     windows.settings = [](QWidget *owner, SettingsHandover &texts) {
    //         SettingsDialog dlg(texts, owner); dlg.exec(); };
    // WIRE customers and payment methods:
    //     windows.customers = [](QWidget *owner, QString &last) {
    //         CustomerDialog dlg(owner); const bool ok = dlg.exec() == QDialog::Accepted;
    //         last = dlg.lastCustomer(); return ok; };
    //     windows.paymentMethods = [](QWidget *owner) {
    //         PaymentMethodDialog dlg(owner); dlg.exec(); };
    // WIRE query:
    //     windows.query = [](SalesDialog &owner) { QueryDialog dlg(owner); dlg.exec(); };
    return windows;
}
