// The floor of the start-up bench: a Qt program that shows one dialog with as
// many widgets as the login dialog (a banner, three labels, a list, a
// password field, a check box and two buttons, Chinese texts) and, like the
// program with --quit-when-shown, says when it is first painted and ends.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {

class QuitOnFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!m_done && event->type() == QEvent::Paint && widget && widget->isWindow()) {
            m_done = true;
            std::printf("painted: %s\n", widget->metaObject()->className());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.installEventFilter(new QuitOnFirstPaint(&app));
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("用户登录"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *banner = new QLabel(QStringLiteral("欢迎使用"));
    banner->setMinimumHeight(60);
    layout->addWidget(banner);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("用户名：")), 0, 0);
    auto *users = new QComboBox;
    users->addItems({QStringLiteral("admin"), QStringLiteral("收银员")});
    grid->addWidget(users, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("密　码：")), 1, 0);
    auto *password = new QLineEdit;
    password->setEchoMode(QLineEdit::Password);
    grid->addWidget(password, 1, 1);
    grid->addWidget(new QCheckBox(QStringLiteral("记住用户名")), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("版本 1.0")), 3, 0, 1, 2);
    layout->addLayout(grid);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QPushButton(QStringLiteral("登录")));
    buttons->addWidget(new QPushButton(QStringLiteral("退出")));
    layout->addLayout(buttons);
    dialog.exec();
    return 0;
}
