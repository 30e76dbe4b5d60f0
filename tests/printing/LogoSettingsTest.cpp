// The logo dialog: the logo shown at half its size, the offset filter, the
// import with its question and its refusal of files that are no bitmap, the
// save, and a receipt drawn after each change.
#include "PrintInfoPageFixture.h"
#include "printing/LogoFile.h"
#include "printing/LogoSettingsDialog.h"
#include "printing/PrintInfoPage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

class LogoSettingsTest : public PrintSettingsFixture
{
protected:
    // A bitmap of W x H with a coloured band, written to NAME in the test folder.
    QString bitmap(const QString &name, int w, int h, QColor colour = QColor(200, 30, 30))
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(0, 0, w, h / 2, colour);
        const QString path = QDir(env.programDir()).filePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    QString logoPath() const { return LogoFile(settings.workingDir).path(); }
    QLabel *picture(QWidget *dialog) { return child<QLabel>(dialog, "logoPicture"); }
    void importFrom(LogoSettingsDialog &dialog, const QString &file, Prompt::Answer answer)
    {
        env.prompt().fileNext(file);
        env.prompt().answerNext(answer);
        click(child<QPushButton>(&dialog, "importButton"));
    }
};

TEST_F(LogoSettingsTest, LogoOf300By120IsShownAt150By60)
{
    QFile::copy(bitmap(QStringLiteral("shop.bmp"), 300, 120), logoPath());
    settings.logoWidth = 1;
    settings.logoHeight = 1;
    ShopRow shop;
    LogoSettingsDialog dialog(settings, shop);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置打印图标"));
    EXPECT_EQ(picture(&dialog)->size(), QSize(150, 60));
    EXPECT_EQ(settings.logoWidth, 300);
    EXPECT_EQ(settings.logoHeight, 120);
    // Stretched into the frame: the red top half shows in the picture.
    const QImage shown = picture(&dialog)->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(75, 15)), QColor(200, 30, 30));
    EXPECT_EQ(QColor(shown.pixel(75, 45)), QColor(Qt::white));
    shoot(&dialog, QStringLiteral("logo-settings-dialog"));
}

TEST_F(LogoSettingsTest, ImportAsksFirstThenReplacesTheLogoAndItsSizeInMemory)
{
    QFile::copy(bitmap(QStringLiteral("old.bmp"), 300, 120), logoPath());
    ShopRow shop;
    LogoSettingsDialog dialog(settings, shop);
    dialog.show();
    const QString wide = bitmap(QStringLiteral("新图标.bmp"), 240, 80, QColor(20, 20, 200));

    importFrom(dialog, wide, Prompt::Answer::No);
    EXPECT_EQ(env.prompt().lastText(),
              QStringLiteral("导入后，原Logo无法恢复，确定要执行些操作？"));
    EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("注意"));
    EXPECT_EQ(env.prompt().messages().last().buttons, Prompt::Buttons::YesNo);
    EXPECT_EQ(env.prompt().messages().last().icon, Prompt::Icon::Warning);
    EXPECT_EQ(LogoFile(settings.workingDir).size(), QSize(300, 120)) << "No keeps the old logo";
    const Prompt::FileRequest request = env.prompt().fileRequests().last();
    EXPECT_EQ(request.caption, QStringLiteral("导入logo图片"));
    ASSERT_EQ(request.filters.size(), 1);
    EXPECT_TRUE(request.filters[0].startsWith(QStringLiteral("位图文件(.bmp)")));
    EXPECT_TRUE(request.filters[0].endsWith(QStringLiteral("(*.bmp)")));

    importFrom(dialog, wide, Prompt::Answer::Yes);
    EXPECT_EQ(LogoFile(settings.workingDir).size(), QSize(240, 80));
    EXPECT_EQ(settings.logoWidth, 240);
    EXPECT_EQ(settings.logoHeight, 80);
    EXPECT_EQ(picture(&dialog)->size(), QSize(120, 40));
    EXPECT_TRUE(QFile::exists(wide)) << "the chosen file is copied, not moved";

    // Cancelling the file dialog asks nothing.
    env.prompt().clear();
    env.prompt().fileNext(QString());
    click(child<QPushButton>(&dialog, "importButton"));
    EXPECT_TRUE(env.prompt().messages().isEmpty());
}

TEST_F(LogoSettingsTest, FileThatIsNoBitmapIsRefusedAndTheOldLogoStays)
{
    QFile::copy(bitmap(QStringLiteral("old.bmp"), 300, 120), logoPath());
    const QByteArray before = [&] {
        QFile f(logoPath());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    ShopRow shop;
    LogoSettingsDialog dialog(settings, shop);
    dialog.show();

    const QString fake = QDir(env.programDir()).filePath(QStringLiteral("fake.bmp"));
    QImage(50, 20, QImage::Format_RGB32).save(fake, "PNG"); // a PNG under a .bmp name
    importFrom(dialog, fake, Prompt::Answer::Yes);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("此图片不具备bmp位图属性，操作失败！"));
    EXPECT_EQ(env.prompt().messages().last().caption, QStringLiteral("错误"));
    EXPECT_EQ(env.prompt().messages().last().icon, Prompt::Icon::Critical);

    QFile broken(QDir(env.programDir()).filePath(QStringLiteral("broken.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really");
    broken.close();
    importFrom(dialog, broken.fileName(), Prompt::Answer::Yes);
    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("此图片不具备bmp位图属性，操作失败！"));

    QFile after(logoPath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(settings.logoWidth, 300);
    EXPECT_EQ(picture(&dialog)->size(), QSize(150, 60));
}

TEST_F(LogoSettingsTest, ImportingTheLogoItselfKeepsIt)
{
    QFile::copy(bitmap(QStringLiteral("old.bmp"), 300, 120), logoPath());
    ShopRow shop;
    LogoSettingsDialog dialog(settings, shop);
    importFrom(dialog, logoPath(), Prompt::Answer::Yes);
    EXPECT_EQ(LogoFile(settings.workingDir).size(), QSize(300, 120));
}

TEST_F(LogoSettingsTest, OffsetTakesDigitsAndMinusAndSaveStoresItWithTheSwitch)
{
    ShopRow shop;
    shop.logoOffset = 6;
    LogoSettingsDialog dialog(settings, shop);
    dialog.show();
    auto *offset = child<QLineEdit>(&dialog, "offsetEdit");
    EXPECT_EQ(offset->text(), QStringLiteral("6"));
    EXPECT_FALSE(child<QCheckBox>(&dialog, "printLogoCheck")->isChecked());
    offset->setFocus();
    offset->selectAll();
    QTest::keyClicks(offset, QStringLiteral("-1a5 "));
    EXPECT_EQ(offset->text(), QStringLiteral("-15"));
    tick(child<QCheckBox>(&dialog, "printLogoCheck"));
    click(child<QPushButton>(&dialog, "saveButton"));

    EXPECT_EQ(env.prompt().lastText(), QStringLiteral("保存成功！"));
    EXPECT_EQ(env.prompt().messages().last().caption, Prompt::applicationTitle());
    EXPECT_EQ(env.prompt().messages().last().icon, Prompt::Icon::NoIcon);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(info("set2"), QStringLiteral("1"));
    EXPECT_EQ(info("set7"), QStringLiteral("-15"));
    EXPECT_TRUE(shop.printLogo);
    EXPECT_EQ(shop.logoOffset, -15);
}

TEST_F(LogoSettingsTest, ReceiptAfterImportAndSavePrintsTheNewLogo)
{
    QFile::copy(bitmap(QStringLiteral("old.bmp"), 300, 120), logoPath());
    PrintInfoPage page(settings, handover);
    const ReceiptDrawing before = receipt(settings, page.shop());
    EXPECT_TRUE(before.logos.isEmpty()) << "the delivered shop prints no logo";

    whenModal([&](QDialog *dialog) {
        auto *logo = qobject_cast<LogoSettingsDialog *>(dialog);
        EXPECT_NE(logo, nullptr);
        if (logo) {
            importFrom(*logo, bitmap(QStringLiteral("新.bmp"), 200, 100, QColor(0, 128, 0)),
                       Prompt::Answer::Yes);
            tick(child<QCheckBox>(logo, "printLogoCheck"));
            child<QLineEdit>(logo, "offsetEdit")->setText(QStringLiteral("10"));
            click(child<QPushButton>(logo, "saveButton"));
        }
        dialog->reject();
    });
    click(child<QPushButton>(&page, "logoButton"));

    for (const ReceiptDrawing &after : {receipt(settings, page.shop()), storedReceipt()}) {
        ASSERT_EQ(after.logos.size(), 1);
        EXPECT_EQ(after.logos[0].target.size(), QSize(200, 100));
        EXPECT_EQ(after.logos[0].target.left(), int(10 * 203.0 / 96));
        EXPECT_EQ(after.find(QStringLiteral("我的小店"))->box.top(),
                  before.find(QStringLiteral("我的小店"))->box.top() + 100);
    }
    const QImage printed = ReceiptRenderer::toImage(receipt(settings, page.shop()));
    const QPoint inLogo = receipt(settings, page.shop()).logos[0].target.topLeft() + QPoint(5, 5);
    EXPECT_EQ(QColor(printed.pixel(inLogo)), QColor(0, 128, 0));
    shoot(printed, QStringLiteral("receipt-after-logo-import"));
}

} // namespace
