#include "support/Gui.h"

#include <QAbstractItemView>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QInputMethodEvent>
#include <QWidget>

void commitText(QWidget *target, const QString &text)
{
    target->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

void type(QWidget *target, const QString &text)
{
    bool latin = true;
    for (const QChar c : text)
        latin = latin && c.unicode() < 128;
    if (!latin) {
        commitText(target, text);
        return;
    }
    target->setFocus();
    QTest::keyClicks(target, text);
}

void retype(QWidget *target, const QString &text)
{
    target->setFocus();
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Backspace);
    type(target, text);
}

void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickRow(QAbstractItemView *list, int row, Qt::KeyboardModifiers modifiers, bool twice)
{
    const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, modifiers, at);
    else
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
}

void tick(QAbstractButton *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

bool waitFor(const std::function<bool()> &predicate, int timeoutMs)
{
    return QTest::qWaitFor(predicate, timeoutMs);
}

QString picturesDir()
{
    QString dir = qEnvironmentVariable("QM_PICTURES_DIR");
    if (dir.isEmpty())
        dir = QDir::temp().filePath(QStringLiteral("quillmarch-pictures"));
    QDir().mkpath(dir);
    return dir;
}

QString savePicture(const QImage &image, const QString &name)
{
    const QString file = QDir(picturesDir()).filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(image.save(file)) << file.toStdString();
    return file;
}

void keepPicture(const QImage &image, const QString &name)
{
    if (qEnvironmentVariableIsSet("QM_PICTURES_DIR"))
        savePicture(image, name);
}
