#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QLabel>

#include <functional>

// A text that behaves like a web link: link, visited and hover colours, a
// hand cursor, underlined always, never or while the mouse is over it (the
// default), a tooltip with the address, and a click opens the address in the
// desktop's browser. A link without text shows its address; a link without
// an address takes its text as the address. A failure to open is reported
// ("Unable to open hyperlink: ...") and otherwise harms nothing.
class HyperLink : public QLabel
{
    Q_OBJECT

public:
    enum Underline
    {
        UnderlineNever = 0,
        UnderlineAlways = 1,
        UnderlineHover = -1
    };

    // Opens an address; returns the classic shell result: above 32 is
    // success, otherwise an error code (see errorText()).
    using Opener = std::function<int(const QString &url)>;

    explicit HyperLink(QWidget *parent = nullptr);
    explicit HyperLink(const QString &text, QWidget *parent = nullptr);

    void setUrl(const QString &url);
    QString url() const { return m_url; }
    void setTooltipText(const QString &text);

    void setColours(const QColor &link, const QColor &visited, const QColor &hover);
    // The colour the text is drawn in now.
    QColor textColour() const;

    void setVisited(bool visited);
    bool isVisited() const { return m_visited; }
    void setUnderline(int mode);
    int underline() const { return m_underline; }
    bool isUnderlined() const;
    void setAdjustToFit(bool adjust);
    bool isHovering() const { return m_over; }

    void setOpener(Opener opener) { m_opener = std::move(opener); }
    // The default opener: the desktop's handler for the address.
    static int openWithDesktop(const QString &url);
    static QString errorText(int code);

    // Resizes the control to just hold its text (underlined), keeping its
    // centre, right edge or left edge as its alignment says.
    void adjustToFit();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void attach();
    void endHover();
    void open();

    QString m_url;
    QString m_tooltip;
    QColor m_linkColour{0, 0, 238};
    QColor m_visitedColour{85, 26, 139};
    QColor m_hoverColour{255, 0, 0};
    bool m_over = false;
    bool m_visited = false;
    int m_underline = UnderlineHover;
    bool m_adjustToFit = true;
    bool m_attached = false;
    QBasicTimer m_hoverTimer;
    Opener m_opener;
};
