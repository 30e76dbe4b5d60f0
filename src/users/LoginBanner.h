#pragma once

#include <QWidget>

// The picture across the top of the login dialog: the program's name on a
// blue band.
class LoginBanner : public QWidget
{
    Q_OBJECT
public:
    explicit LoginBanner(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
