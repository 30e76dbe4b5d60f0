#pragma once

// Driving windows as a person does: typing, clicking, finding a window's parts
// and waiting for what the program does next.
#include "support/Text.h"

#include <QAbstractButton>
#include <QObject>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

class QAbstractItemView;
class QImage;
class QWidget;

// Types TEXT the way an input method delivers it (QTest::keyClicks cannot type Chinese).
void commitText(QWidget *target, const QString &text);
// Latin text key by key, anything else through the input method.
void type(QWidget *target, const QString &text);
// Replaces what a field holds by typing (Ctrl+A, Backspace, then TEXT).
void retype(QWidget *target, const QString &text);

void click(QAbstractButton *button);
// Clicks (or double-clicks) ROW of a list where a person would: on its second column.
void clickRow(QAbstractItemView *list, int row, Qt::KeyboardModifiers modifiers = {},
              bool twice = false);
// Clicks a check box on its box, where a person would.
void tick(QAbstractButton *box);

// The child of PARENT called NAME; fails the test when there is none.
template <typename T = QWidget> T *child(const QObject *parent, const char *name)
{
    T *found = parent ? parent->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(found, nullptr) << "no " << T::staticMetaObject.className() << " named " << name;
    return found;
}

// Processes events until PREDICATE holds or TIMEOUT_MS pass; returns whether it held.
bool waitFor(const std::function<bool()> &predicate, int timeoutMs = 5000);

// The folder pictures of windows are written to: $QM_PICTURES_DIR, else a
// folder under the temporary directory (never the source tree).
QString picturesDir();
// Saves IMAGE as NAME.png in picturesDir(); returns the file.
QString savePicture(const QImage &image, const QString &name);
// A picture taken along by an ordinary test, to look at: saved like
// savePicture() only when QM_PICTURES_DIR is set.
void keepPicture(const QImage &image, const QString &name);
