// The hover button's face: the gradient colours and rows, the mirrored face
// while pressed, the borders for hover and focus, and a rendering to look at.
#include "controls/HoverButton.h"
#include "controls/ButtonGradient.h"

#include "support/Gui.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void hover(HoverButton &button, bool on)
{
    if (on) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&button, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
    }
}

QImage render(HoverButton &button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ButtonGradient, ColoursRunFromWhiteToBlueOrSand)
{
    EXPECT_EQ(ButtonGradient::colour(0, false), QColor(255, 255, 255));
    EXPECT_EQ(ButtonGradient::colour(63, false), QColor(224, 224, 243));
    EXPECT_EQ(ButtonGradient::colour(63, true), QColor(224, 224, 192));
    EXPECT_EQ(ButtonGradient::colour(10, true), QColor(250, 250, 245));
    EXPECT_EQ(ButtonGradient::colour(99, false), ButtonGradient::colour(63, false));
}

TEST(ButtonGradient, RowsNeverPassColour63AndMirrorWhilePressed)
{
    // A 24-pixel button: face rows 2..21, h = 20.
    const QList<int> rows = ButtonGradient::rowIndices(2, 22, false);
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(rows.first(), 6); // 63 * 2 / 20
    for (int index : rows)
        EXPECT_LE(index, 63);
    EXPECT_EQ(rows[18], 63); // y = 20
    EXPECT_EQ(rows[19], 63); // y = 21: 66 clipped

    // A small button: the last rows all use colour 63.
    const QList<int> small = ButtonGradient::rowIndices(2, 8, false);
    EXPECT_EQ(small, (QList<int>{21, 31, 42, 52, 63, 63}));

    QList<int> pressed = ButtonGradient::rowIndices(2, 22, true);
    std::reverse(pressed.begin(), pressed.end());
    EXPECT_EQ(pressed, rows);
    EXPECT_TRUE(ButtonGradient::rowIndices(2, 2, false).isEmpty());
}

TEST(HoverButton, PressedFaceIsTheReleasedFaceUpsideDown)
{
    HoverButton button; // no caption: the face alone
    button.setFocusPolicy(Qt::NoFocus);
    button.resize(80, 26);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    hover(button, false); // wherever the pointer is: no border over the face
    const QImage released = render(button);
    button.setDown(true);
    const QImage pressed = render(button);
    // Compare one column of the face, away from the frame.
    for (int y = 2; y < 24; ++y)
        EXPECT_EQ(pressed.pixel(40, y), released.pixel(40, 2 + 23 - y)) << y;
    EXPECT_EQ(released.pixelColor(40, 2), ButtonGradient::colour(63 * 2 / 22, false));
    EXPECT_EQ(released.pixelColor(0, 13), QColor(50, 100, 160)); // the frame
}

TEST(HoverButton, HoverAndFocusBorders)
{
    QWidget window;
    auto *button = new HoverButton(u"确定"_qs, &window);
    auto *other = new HoverButton(u"取消"_qs, &window);
    auto *layout = new QHBoxLayout(&window);
    layout->addWidget(button);
    layout->addWidget(other);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    other->setFocus();
    const int midY = button->height() / 2;

    // Neither hovered nor focused: the left edge column shows the face.
    QImage plain = render(*button);
    EXPECT_NE(plain.pixelColor(2, midY), QColor(250, 196, 88));

    hover(*button, true);
    EXPECT_TRUE(button->isHovered());
    QImage hovered = render(*button);
    EXPECT_EQ(hovered.pixelColor(2, midY), QColor(250, 196, 88));
    EXPECT_EQ(hovered.pixelColor(button->width() / 2, button->height() - 2), QColor(229, 151, 0));
    // Low on the face the plain gradient has turned light blue, the hovered one sand.
    const int y = button->height() - 5;
    const QColor plainFace = plain.pixelColor(5, y);
    const QColor sandFace = hovered.pixelColor(5, y);
    EXPECT_GT(plainFace.blue(), plainFace.red() + 10) << qPrintable(plainFace.name());
    EXPECT_LT(sandFace.blue(), sandFace.red() - 10) << qPrintable(sandFace.name());

    hover(*button, false);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    QImage focused = render(*button);
    EXPECT_EQ(focused.pixelColor(2, midY), QColor(153, 198, 252));
    // Hover wins over focus.
    hover(*button, true);
    EXPECT_EQ(render(*button).pixelColor(2, midY), QColor(250, 196, 88));
    hover(*button, false);
    EXPECT_FALSE(button->isHovered());

    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(HoverButton, RendersAllStatesForALook)
{
    QWidget sheet;
    sheet.setStyleSheet(QString());
    auto *layout = new QHBoxLayout(&sheet);
    HoverButton *normal = new HoverButton(u"查询(&Q)..."_qs, &sheet);
    HoverButton *hovered = new HoverButton(u"打印"_qs, &sheet);
    HoverButton *pressed = new HoverButton(u"保存"_qs, &sheet);
    HoverButton *focused = new HoverButton(u"确定"_qs, &sheet);
    HoverButton *disabled = new HoverButton(u"删除"_qs, &sheet);
    for (HoverButton *b : {normal, hovered, pressed, focused, disabled}) {
        b->setMinimumSize(90, 28);
        layout->addWidget(b);
    }
    disabled->setEnabled(false);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QApplication::setActiveWindow(&sheet);
    focused->setFocus();
    hover(*hovered, true);
    hover(*pressed, true);
    pressed->setDown(true);
    const QImage image = sheet.grab().toImage();
    keepPicture(image, u"hover-buttons"_qs);
    // The disabled caption is grey, not black.
    const QImage off = render(*disabled);
    bool anyBlack = false;
    for (int y = 0; y < off.height(); ++y)
        for (int x = 4; x < off.width() - 4; ++x)
            anyBlack = anyBlack || off.pixelColor(x, y) == QColor(Qt::black);
    EXPECT_FALSE(anyBlack);
}
