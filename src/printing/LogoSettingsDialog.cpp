#include "printing/LogoSettingsDialog.h"

#include "ui_LogoSettingsDialog.h"

#include "controls/DbOperation.h"
#include "controls/Prompt.h"
#include "core/AppSettings.h"
#include "core/NumberText.h"
#include "data/Database.h"
#include "printing/LogoFile.h"
#include "data/ShopRow.h"
#include "printing/WholeNumberValidator.h"

#include <QImageReader>
#include <QPixmap>

LogoSettingsDialog::LogoSettingsDialog(AppSettings &settings, ShopRow &shop,
                                       QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::LogoSettingsDialog>()), m_settings(settings),
      m_shop(shop)
{
    m_ui->setupUi(this);
    m_ui->offsetEdit->setValidator(new WholeNumberValidator(m_ui->offsetEdit));
    m_ui->offsetEdit->setText(QString::number(m_shop.logoOffset));
    m_ui->printLogoCheck->setChecked(m_shop.printLogo);
    showLogo();

    connect(m_ui->importButton, &QPushButton::clicked, this, &LogoSettingsDialog::importLogo);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &LogoSettingsDialog::save);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

LogoSettingsDialog::~LogoSettingsDialog() = default;

void LogoSettingsDialog::showLogo()
{
    const LogoFile logo(m_settings.workingDir);
    const std::optional<QSize> size = logo.size();
    if (!size)
        return;
    m_settings.logoWidth = size->width();
    m_settings.logoHeight = size->height();
    QSize frame = *size / 2;
    if (frame.width() > largestFrame().width() || frame.height() > largestFrame().height())
        frame.scale(largestFrame(), Qt::KeepAspectRatio);
    m_ui->logoPicture->setFixedSize(frame.expandedTo(QSize(1, 1)));
    // The frame shows the logo stretched into it.
    m_ui->logoPicture->setPixmap(QPixmap::fromImage(QImageReader(logo.path(), "bmp").read()));
    update();
}

void LogoSettingsDialog::importLogo()
{
    Prompt::FileRequest request;
    request.caption = QStringLiteral("导入logo图片");
    request.filters = {QStringLiteral("位图文件(.bmp) (*.bmp)")};
    request.proposedPath = m_settings.workingDir;
    const QString source = Prompt::instance().openFile(this, request);
    if (source.isEmpty())
        return;
    const Prompt::Answer answer = Prompt::instance().ask(
        this, QStringLiteral("导入后，原Logo无法恢复，确定要执行些操作？"), QStringLiteral("注意"),
        Prompt::Icon::Warning, Prompt::Buttons::YesNo);
    if (answer != Prompt::Answer::Yes)
        return;

    switch (LogoFile(m_settings.workingDir).import(source)) {
    case LogoFile::Import::NotBitmap:
        Prompt::error(this, QStringLiteral("此图片不具备bmp位图属性，操作失败！"),
                      QStringLiteral("错误"));
        return;
    case LogoFile::Import::NotWritten:
        Prompt::error(this, QStringLiteral("不能写入logo.bmp，原Logo保持不变！"),
                      QStringLiteral("错误"));
        return;
    case LogoFile::Import::Done:
        showLogo();
        return;
    }
}

void LogoSettingsDialog::save()
{
    const bool printLogo = m_ui->printLogoCheck->isChecked();
    const QString offset = m_ui->offsetEdit->text();
    Database db;
    if (!DbOperation::open(db, m_settings.settingsDsn, this))
        return;
    if (!DbOperation::run(this, [&] { LogoFile::storeOptions(db, printLogo, offset); }))
        return;
    m_shop.printLogo = printLogo;
    m_shop.logoOffset = NumberText::toInt(offset);
    Prompt::instance().ask(this, QStringLiteral("保存成功！"), Prompt::applicationTitle(),
                           Prompt::Icon::NoIcon, Prompt::Buttons::Ok);
}
