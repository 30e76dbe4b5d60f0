#include "sales/AboutDialog.h"

#include "core/AppSettings.h"
#include "sales/HelpFile.h"
#include "sales/UpdateCheck.h"
#include "ui_AboutDialog.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>

namespace {

const char *const contactMail = "service@quillmarch.com";
const char *const contactQq = "800061351";
const char *const website = "https://www.quillmarch.com";

// The program icon: a receipt with a torn edge.
QPixmap programIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 48.0;
    QPainterPath paper;
    paper.moveTo(10 * s, 3 * s);
    paper.lineTo(38 * s, 3 * s);
    paper.lineTo(38 * s, 42 * s);
    for (int i = 0; i < 7; ++i) {
        const qreal x = 38 * s - (i + 0.5) * 4 * s;
        paper.lineTo(x, (i % 2 ? 42 : 46) * s);
    }
    paper.lineTo(10 * s, 42 * s);
    paper.closeSubpath();
    p.setPen(QPen(QColor(50, 100, 160), 1.5 * s));
    p.setBrush(Qt::white);
    p.drawPath(paper);
    p.fillRect(QRectF(10.8 * s, 3.8 * s, 26.4 * s, 8 * s), QColor(115, 151, 236));
    p.setPen(QPen(QColor(150, 160, 185), 1.6 * s));
    for (int row = 0; row < 5; ++row) {
        const qreal y = (17 + row * 5) * s;
        p.drawLine(QPointF(14 * s, y), QPointF((row == 4 ? 24 : 34) * s, y));
    }
    p.setPen(QPen(QColor(197, 0, 0), 2 * s));
    p.drawLine(QPointF(26 * s, 38 * s), QPointF(34 * s, 38 * s));
    return pixmap;
}

// The band under the contact lines: a strip of receipt paper with torn edges.
QPixmap decoration(const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, size.width(), 0);
    band.setColorAt(0, QColor(115, 151, 236));
    band.setColorAt(0.75, QColor(190, 208, 248));
    band.setColorAt(1, Qt::white);
    const qreal tooth = 5;
    QPainterPath strip;
    strip.moveTo(0, tooth);
    for (qreal x = 0; x < size.width(); x += 2 * tooth) {
        strip.lineTo(x + tooth, 0);
        strip.lineTo(x + 2 * tooth, tooth);
    }
    const qreal bottom = size.height() - 1;
    strip.lineTo(size.width(), bottom - tooth);
    for (qreal x = size.width(); x > 0; x -= 2 * tooth) {
        strip.lineTo(x - tooth, bottom);
        strip.lineTo(x - 2 * tooth, bottom - tooth);
    }
    strip.closeSubpath();
    p.fillPath(strip, band);

    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size.height() * 2 / 5);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(16, 0, size.width() - 32, size.height()), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Quillmarch  收银小票"));
    return pixmap;
}

} // namespace

AboutDialog::AboutDialog(const AppSettings &settings, QWidget *parent)
    : AboutDialog(UpdateCheckConfig::fromSettings(settings), parent)
{
}

AboutDialog::AboutDialog(UpdateCheckConfig config, QWidget *parent)
    : QDialog(parent), m_ui(new Ui::AboutDialog), m_config(std::move(config))
{
    m_ui->setupUi(this);
    setUpTexts();
    setUpLook();

    m_progressTimer.setInterval(500);
    connect(&m_progressTimer, &QTimer::timeout, this, &AboutDialog::tick);
    connect(m_ui->helpButton, &QPushButton::clicked, this, &AboutDialog::openHelpFile);
    connect(m_ui->updateButton, &QPushButton::clicked, this, &AboutDialog::startUpdateCheck);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &AboutDialog::openHelpFile);
}

AboutDialog::~AboutDialog()
{
    if (m_check)
        m_check->release();
    delete m_ui;
}

void AboutDialog::setUpTexts()
{
    m_ui->titleLabel->setText(QStringLiteral("Quillmarch " QM_VERSION " 版"));
    m_ui->emailEdit->setText(QString::fromLatin1(contactMail));
    m_ui->qqEdit->setText(QString::fromLatin1(contactQq));
    m_ui->webLink->setUrl(QString::fromLatin1(website));
    m_ui->progressLine->setText(progressText(0));
    m_ui->progressLine->hide();
}

void AboutDialog::setUpLook()
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    // The layout places the link; its own background stays white like the box.
    m_ui->webLink->setAdjustToFit(false);
    QPalette linkBackground = m_ui->webLink->palette();
    linkBackground.setColor(QPalette::Button, Qt::white);
    m_ui->webLink->setPalette(linkBackground);
    m_ui->iconLabel->setPixmap(programIcon(48));
    QFont bold = m_ui->titleLabel->font();
    bold.setBold(true);
    m_ui->titleLabel->setFont(bold);
    m_ui->pictureLabel->setPixmap(decoration(QSize(372, 54)));
    // The hidden progress line keeps its place, so the box does not jump.
    QSizePolicy keep = m_ui->progressLine->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_ui->progressLine->setSizePolicy(keep);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString AboutDialog::progressText(int ticks)
{
    static const QString dots[] = {QStringLiteral("· · ·"), QStringLiteral("·"),
                                   QStringLiteral("· ·")};
    return QStringLiteral("正在连接网络，检测新版本 ") + dots[ticks % 3];
}

void AboutDialog::startUpdateCheck()
{
    if (!m_check) {
        m_check = new UpdateCheck(m_config, this);
        m_check->setMessageParent(this);
        if (m_endProgram)
            m_check->setEndProgram(m_endProgram);
        connect(m_check, &UpdateCheck::finished, this,
                [this] { m_ui->updateButton->setEnabled(true); });
    }
    if (m_check->isRunning())
        return;
    m_ui->progressLine->setText(progressText(0));
    m_ui->progressLine->show();
    repaint();
    m_ui->updateButton->setEnabled(false);
    m_ticks = 0;
    m_progressTimer.start();
    m_check->start();
}

void AboutDialog::tick()
{
    ++m_ticks;
    if (!m_check || m_check->isDone()) {
        m_ui->progressLine->hide();
        m_progressTimer.stop();
        return;
    }
    m_ui->progressLine->setText(progressText(m_ticks));
}

void AboutDialog::openHelpFile()
{
    HelpFile(m_config.programDir).open(this);
}
