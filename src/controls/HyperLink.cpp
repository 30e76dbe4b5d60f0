#include "controls/HyperLink.h"

#include "controls/Prompt.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {

constexpr int kHoverTimerMs = 100;
constexpr int kSuccess = 33;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kNoAssociation = 31;

} // namespace

HyperLink::HyperLink(QWidget *parent) : QLabel(parent), m_opener(openWithDesktop)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

HyperLink::HyperLink(const QString &text, QWidget *parent) : HyperLink(parent)
{
    setText(text);
}

void HyperLink::attach()
{
    m_attached = true;
    if (m_url.isEmpty())
        m_url = text();
    if (text().isEmpty())
        setText(m_url);
    setToolTip(m_tooltip.isEmpty() ? m_url : m_tooltip);
    if (m_adjustToFit)
        adjustToFit();
}

void HyperLink::showEvent(QShowEvent *event)
{
    if (!m_attached)
        attach();
    QLabel::showEvent(event);
}

void HyperLink::setUrl(const QString &url)
{
    m_url = url;
    if (text().isEmpty())
        setText(url);
    if (m_tooltip.isEmpty())
        setToolTip(url);
    if (m_attached && m_adjustToFit)
        adjustToFit();
    update();
}

void HyperLink::setTooltipText(const QString &text)
{
    m_tooltip = text;
    setToolTip(text.isEmpty() ? m_url : text);
}

void HyperLink::setColours(const QColor &link, const QColor &visited, const QColor &hover)
{
    m_linkColour = link;
    m_visitedColour = visited;
    m_hoverColour = hover;
    update();
}

QColor HyperLink::textColour() const
{
    if (m_over)
        return m_hoverColour;
    return m_visited ? m_visitedColour : m_linkColour;
}

void HyperLink::setVisited(bool visited)
{
    m_visited = visited;
    update();
}

void HyperLink::setUnderline(int mode)
{
    m_underline = mode;
    update();
}

bool HyperLink::isUnderlined() const
{
    return m_underline == UnderlineAlways || (m_underline == UnderlineHover && m_over);
}

void HyperLink::setAdjustToFit(bool adjust)
{
    m_adjustToFit = adjust;
    if (adjust && m_attached)
        adjustToFit();
}

void HyperLink::adjustToFit()
{
    QFont underlined = font();
    underlined.setUnderline(true);
    const QSize textSize = QFontMetrics(underlined).size(Qt::TextSingleLine, text());
    const QMargins margins = contentsMargins();
    const QSize size(textSize.width() + margins.left() + margins.right(),
                     textSize.height() + margins.top() + margins.bottom());

    const QRect old = geometry();
    QRect fitted(old.topLeft(), size);
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignHCenter)
        fitted.moveLeft(old.left() + (old.width() - size.width()) / 2);
    else if (align & Qt::AlignRight)
        fitted.moveRight(old.right());
    if (align & Qt::AlignVCenter)
        fitted.moveTop(old.top() + (old.height() - size.height()) / 2);
    setGeometry(fitted);
}

void HyperLink::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    QFont shown = font();
    shown.setUnderline(isUnderlined());
    painter.setFont(shown);
    painter.setPen(textColour());
    painter.drawText(contentsRect(), int(alignment()) | Qt::TextSingleLine, text());
}

void HyperLink::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_over) {
        m_over = true;
        update();
        m_hoverTimer.start(kHoverTimerMs, this);
    }
    QLabel::mouseMoveEvent(event);
}

void HyperLink::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_hoverTimer.timerId()) {
        QLabel::timerEvent(event);
        return;
    }
    if (!rect().contains(mapFromGlobal(QCursor::pos())))
        endHover();
}

void HyperLink::leaveEvent(QEvent *event)
{
    // The timer would notice too; leaving is reported at once where it can be.
    endHover();
    QLabel::leaveEvent(event);
}

void HyperLink::endHover()
{
    m_hoverTimer.stop();
    if (m_over) {
        m_over = false;
        update();
    }
}

void HyperLink::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        open();
}

void HyperLink::open()
{
    m_over = false;
    m_hoverTimer.stop();
    const int result = m_opener ? m_opener(m_url) : 0;
    if (result > 32) {
        setVisited(true);
        return;
    }
    update();
    QApplication::beep();
    Prompt::warn(this, QStringLiteral("Unable to open hyperlink:\n\n") + errorText(result));
}

int HyperLink::openWithDesktop(const QString &url)
{
    const QUrl target = QUrl::fromUserInput(url, QDir::currentPath());
    if (!target.isValid())
        return kFileNotFound;
    if (target.isLocalFile()) {
        const QFileInfo file(target.toLocalFile());
        if (!file.exists())
            return file.dir().exists() ? kFileNotFound : kPathNotFound;
    }
    return QDesktopServices::openUrl(target) ? kSuccess : kNoAssociation;
}

QString HyperLink::errorText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("The operating system is out\nof memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied\naccess to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred. ");
    case 27:
        return QStringLiteral("The filename association is\nincomplete or invalid.");
    case 28:
        return QStringLiteral(
            "The DDE transaction could not\nbe completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral("The DDE transaction could not\nbe completed because other DDE "
                              "transactions\nwere being processed.");
    case 31:
        return QStringLiteral(
            "There is no application associated\nwith the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        break;
    }
    return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
}
