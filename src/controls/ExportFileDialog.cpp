#include "controls/ExportFileDialog.h"

#include "controls/Prompt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &lastDirectory()
{
    static QString directory;
    return directory;
}

} // namespace

ExportFileDialog::ExportFileDialog(const QString &title, const QString &typeList,
                                   const QString &proposedName, QWidget *parent)
    : m_parent(parent), m_title(title), m_types(FileTypeList::split(typeList)),
      m_fileName(FileTypeList::initialName(proposedName, m_types)),
      m_filterIndex(FileTypeList::initialIndex(proposedName, m_types))
{
}

void ExportFileDialog::setFileTypes(const QList<FileTypeList::FileType> &types)
{
    m_types = types.mid(0, FileTypeList::kMaxTypes);
    if (m_filterIndex > m_types.size())
        m_filterIndex = 1;
}

QString ExportFileDialog::directory() const
{
    if (!m_directory.isEmpty())
        return m_directory;
    if (!lastDirectory().isEmpty() && QFileInfo(lastDirectory()).isDir())
        return lastDirectory();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool ExportFileDialog::exec()
{
    Prompt::FileRequest request;
    request.caption = m_title;
    request.proposedPath = QDir(directory()).filePath(m_fileName);
    request.filters = FileTypeList::filterTexts(m_types);
    if (m_filterIndex >= 1 && m_filterIndex <= request.filters.size())
        request.selectedFilter = request.filters[m_filterIndex - 1];
    request.onTypeChanged = [](const QString &typed, const QString &filter) {
        return FileTypeList::rewriteExtension(typed, FileTypeList::extensionOfFilter(filter));
    };

    for (;;) {
        const QString chosen = Prompt::instance().saveFile(m_parent, request);
        if (chosen.isEmpty()) {
            m_path.clear();
            return false;
        }
        const int chosenIndex = int(request.filters.indexOf(request.selectedFilter));
        if (chosenIndex >= 0)
            m_filterIndex = chosenIndex + 1;
        const QString extension = m_filterIndex >= 1 && m_filterIndex <= m_types.size()
                                      ? m_types[m_filterIndex - 1].extension
                                      : QString();
        m_path = FileTypeList::withExtension(chosen, extension);
        // The file dialog asked about the name as typed; a name that only got
        // its extension here is asked about here.
        if (m_path == chosen || !QFileInfo::exists(m_path) || replaceAllowed(m_path))
            break;
        request.proposedPath = chosen;
    }
    lastDirectory() = QFileInfo(m_path).absolutePath();
    return true;
}

bool ExportFileDialog::replaceAllowed(const QString &path) const
{
    return Prompt::instance().ask(m_parent,
                                  QStringLiteral("文件“%1”已经存在。\n要替换它吗？")
                                      .arg(QDir::toNativeSeparators(path)),
                                  m_title, Prompt::Icon::Warning,
                                  Prompt::Buttons::YesNo) == Prompt::Answer::Yes;
}
