// The link as a user meets it: its text and address, the colours and
// underline while hovering, opening it, and the message when that fails.
#include "controls/HyperLink.h"
#include "support/Gui.h"
#include "support/ScriptedPrompt.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// Receives the addresses the desktop is asked to open in a test.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

void moveOver(HyperLink &link)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), link.mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &move);
}

// Whether the link's text is drawn on screen in COLOUR: some pixels of its
// picture have it (the edges of the letters are blended with the background).
bool drawnIn(HyperLink &link, const QColor &colour)
{
    const QImage picture = link.grab().toImage();
    int pixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 40 &&
                std::abs(pixel.green() - colour.green()) < 40 &&
                std::abs(pixel.blue() - colour.blue()) < 40)
                ++pixels;
        }
    return pixels >= 3;
}

const QColor linkBlue(0, 0, 238);
const QColor visitedPurple(85, 26, 139);
const QColor hoverRed(255, 0, 0);

class HyperLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_prompt = &ScriptedPrompt::install();
        m_window.resize(300, 80);
        m_link = new HyperLink(&m_window);
        m_link->setGeometry(10, 10, 200, 30);
    }
    void TearDown() override { Prompt::install(nullptr); }

    void show()
    {
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    ScriptedPrompt *m_prompt = nullptr;
    QWidget m_window;
    HyperLink *m_link = nullptr;
};

} // namespace

TEST_F(HyperLinkTest, TextAndAddressStandInForEachOther)
{
    m_link->setUrl(u"https://quillmarch.example/"_qs);
    show();
    EXPECT_EQ(m_link->text(), u"https://quillmarch.example/"_qs);
    EXPECT_EQ(m_link->toolTip(), u"https://quillmarch.example/"_qs);

    HyperLink named(u"https://shop.example/help"_qs, &m_window);
    named.show();
    EXPECT_EQ(named.url(), u"https://shop.example/help"_qs);

    m_link->setTooltipText(u"访问网站"_qs);
    EXPECT_EQ(m_link->toolTip(), u"访问网站"_qs);
    EXPECT_EQ(m_link->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(HyperLinkTest, HoverColourAndUnderlineUntilThePointerLeaves)
{
    m_link->setUrl(u"https://quillmarch.example/"_qs);
    show();
    EXPECT_TRUE(drawnIn(*m_link, linkBlue));
    EXPECT_FALSE(drawnIn(*m_link, hoverRed));
    EXPECT_FALSE(m_link->isUnderlined());

    QCursor::setPos(m_link->mapToGlobal(QPoint(3, 3)));
    moveOver(*m_link);
    EXPECT_TRUE(m_link->isHovering());
    EXPECT_TRUE(drawnIn(*m_link, hoverRed));
    EXPECT_FALSE(drawnIn(*m_link, linkBlue));
    EXPECT_TRUE(m_link->isUnderlined());
    keepPicture(m_window.grab().toImage(), u"hyperlink-hover"_qs);

    // The hover timer notices the pointer has gone.
    QCursor::setPos(m_window.mapToGlobal(QPoint(290, 75)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_link->isHovering(); }, 1000));
    EXPECT_FALSE(m_link->isUnderlined());

    m_link->setUnderline(HyperLink::UnderlineAlways);
    EXPECT_TRUE(m_link->isUnderlined());
    m_link->setUnderline(HyperLink::UnderlineNever);
    moveOver(*m_link);
    EXPECT_FALSE(m_link->isUnderlined());
}

TEST_F(HyperLinkTest, OpeningMarksVisited)
{
    QStringList opened;
    m_link->setUrl(u"https://quillmarch.example/"_qs);
    m_link->setOpener([&](const QString &url) {
        opened << url;
        return 42;
    });
    show();
    QTest::mouseClick(m_link, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(opened, QStringList{u"https://quillmarch.example/"_qs});
    EXPECT_TRUE(m_link->isVisited());
    EXPECT_TRUE(drawnIn(*m_link, visitedPurple));
    EXPECT_FALSE(drawnIn(*m_link, linkBlue));
    EXPECT_TRUE(m_prompt->messages().isEmpty());
    keepPicture(m_window.grab().toImage(), u"hyperlink-visited"_qs);
}

TEST_F(HyperLinkTest, FailureIsReportedWithTheTextForItsCode)
{
    m_link->setUrl(u"https://quillmarch.example/"_qs);
    m_link->setOpener([](const QString &) { return 26; });
    show();
    QTest::mouseClick(m_link, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(m_prompt->messages().size(), 1);
    EXPECT_EQ(m_prompt->lastText(),
              u"Unable to open hyperlink:\n\nA sharing violation occurred. "_qs);
    EXPECT_EQ(m_prompt->messages().last().icon, Prompt::Icon::Warning);
    EXPECT_FALSE(m_link->isVisited());

    EXPECT_EQ(HyperLink::errorText(2), u"The specified file was not found."_qs);
    EXPECT_EQ(HyperLink::errorText(31),
              u"There is no application associated\nwith the given filename extension."_qs);
    EXPECT_EQ(HyperLink::errorText(0), u"The operating system is out\nof memory or resources."_qs);
    EXPECT_EQ(HyperLink::errorText(99), u"Unknown Error (99) occurred."_qs);
    EXPECT_EQ(HyperLink::errorText(-1), u"Unknown Error (-1) occurred."_qs);
}

TEST(HyperLinkDesktop, OpensThroughTheDesktopAndNamesWhatFailed)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(u"https"_qs, &catcher, "open");
    EXPECT_GT(HyperLink::openWithDesktop(u"https://quillmarch.example/"_qs), 32);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.first(), QUrl(u"https://quillmarch.example/"_qs));
    QDesktopServices::unsetUrlHandler(u"https"_qs);

    QTemporaryDir dir;
    EXPECT_EQ(HyperLink::openWithDesktop(dir.filePath(u"帮助.html"_qs)), 2);
    EXPECT_EQ(HyperLink::openWithDesktop(dir.filePath(u"无/帮助.html"_qs)), 3);
}

TEST_F(HyperLinkTest, AdjustToFitKeepsTheAlignedEdge)
{
    m_link->setText(u"www.quillmarch.example"_qs);
    m_link->setAlignment(Qt::AlignRight | Qt::AlignTop);
    show();
    const QRect fitted = m_link->geometry();
    EXPECT_EQ(fitted.right(), 10 + 200 - 1);
    EXPECT_EQ(fitted.top(), 10);
    EXPECT_LT(fitted.width(), 200);
    EXPECT_GE(fitted.width(), m_link->fontMetrics().horizontalAdvance(m_link->text()));
}

#include "HyperLinkTest.moc"
