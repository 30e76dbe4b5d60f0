#include "controls/ModalDialogs.h"

#include <QDialog>

namespace {

ModalDialogs::Answerer &answerer()
{
    static ModalDialogs::Answerer installed;
    return installed;
}

} // namespace

int ModalDialogs::run(QDialog &dialog)
{
    if (answerer())
        return answerer()(dialog);
    return dialog.exec();
}

void ModalDialogs::setAnswerer(Answerer answerer_)
{
    answerer() = std::move(answerer_);
}
