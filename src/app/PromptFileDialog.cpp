#include "app/PromptFileDialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>

PromptFileDialog::PromptFileDialog(QWidget *parent, const Prompt::FileRequest &request,
                                   AcceptMode mode)
    : QFileDialog(parent, request.caption, request.proposedPath), m_request(request)
{
    setAcceptMode(mode);
    setOption(QFileDialog::DontUseNativeDialog);
    if (mode == QFileDialog::AcceptOpen)
        setFileMode(QFileDialog::ExistingFile);
    if (!request.filters.isEmpty()) {
        setNameFilters(request.filters);
        if (!request.selectedFilter.isEmpty())
            selectNameFilter(request.selectedFilter);
    }
    if (mode == QFileDialog::AcceptSave && request.onTypeChanged) {
        // After Qt has done its own suffix replacement, the caller's rule has
        // the last word.
        connect(this, &QFileDialog::filterSelected, this, [this](const QString &filter) {
            if (QLineEdit *name = nameEdit())
                name->setText(m_request.onTypeChanged(name->text(), filter));
        });
    }
}

bool PromptFileDialog::isPattern(const QString &typed)
{
    const QString name = QFileInfo(typed).fileName();
    return name.contains(u'*') || name.contains(u'?');
}

QLineEdit *PromptFileDialog::nameEdit() const
{
    return findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
}

void PromptFileDialog::accept()
{
    QLineEdit *name = nameEdit();
    if (name && isPattern(name->text())) {
        narrowList(name->text());
        return;
    }
    QFileDialog::accept();
}

void PromptFileDialog::narrowList(const QString &typed)
{
    const QFileInfo pattern(typed);
    if (typed.contains(u'/')) {
        const QString folder = directory().absoluteFilePath(pattern.path());
        if (QFileInfo(folder).isDir())
            setDirectory(folder);
    }
    if (auto *files = findChild<QFileSystemModel *>())
        files->setNameFilters({pattern.fileName()});
    QLineEdit *name = nameEdit();
    name->setText(pattern.fileName());
    name->selectAll();
}
