#include "support/ScriptedDialogs.h"

#include "controls/ModalDialogs.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

namespace {

QString describe(const QDialog &dialog)
{
    return QStringLiteral("%1 \"%2\" (objectName \"%3\")")
        .arg(QString::fromLatin1(dialog.metaObject()->className()), dialog.windowTitle(),
             dialog.objectName());
}

bool matches(const QDialog &dialog, const QString &name)
{
    if (name.isEmpty() || dialog.objectName() == name)
        return true;
    for (const QMetaObject *meta = dialog.metaObject(); meta; meta = meta->superClass())
        if (name == QLatin1String(meta->className()))
            return true;
    return false;
}

} // namespace

ScriptedDialogs &ScriptedDialogs::instance()
{
    static ScriptedDialogs *script = [] {
        auto *created = new ScriptedDialogs;
        created->install();
        return created;
    }();
    return *script;
}

void ScriptedDialogs::install()
{
    ModalDialogs::setAnswerer([this](QDialog &dialog) { return answer(dialog); });
}

ScriptedDialogs::RealLoops::RealLoops()
{
    instance();
    ModalDialogs::setAnswerer({});
}

ScriptedDialogs::RealLoops::~RealLoops()
{
    instance().install();
}

void ScriptedDialogs::expect(const QString &name, Handler handler)
{
    m_script.append({name, std::move(handler)});
}

void ScriptedDialogs::verifyAllOpened()
{
    for (const Step &step : std::as_const(m_script))
        ADD_FAILURE() << "scripted modal window never opened: "
                      << (step.name.isEmpty() ? "(any)" : step.name.toStdString());
    m_script.clear();
}

int ScriptedDialogs::answer(QDialog &dialog)
{
    if (m_script.isEmpty()) {
        ADD_FAILURE() << "modal window opened without a script: " << describe(dialog).toStdString();
        return QDialog::Rejected;
    }
    const Step step = m_script.takeFirst();
    if (!matches(dialog, step.name)) {
        ADD_FAILURE() << "expected modal window " << step.name.toStdString() << ", opened "
                      << describe(dialog).toStdString();
        return QDialog::Rejected;
    }
    // As exec() does: modal, shown, active, result cleared.
    dialog.setResult(0);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
    step.handler(&dialog);
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the script left the modal window open: "
                      << describe(dialog).toStdString();
        dialog.reject();
    }
    return dialog.result();
}
