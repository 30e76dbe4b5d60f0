#include "controls/FileTypeList.h"

QList<FileTypeList::FileType> FileTypeList::split(const QString &list)
{
    QList<FileType> types;
    qsizetype pos = 0;
    const qsizetype length = list.size();
    while (types.size() < kMaxTypes) {
        while (pos < length && list[pos] == u'|')
            ++pos;
        if (pos >= length)
            break;
        QString name;
        const QChar first = list[pos];
        if (first == u'"' || first == u'\'') {
            const qsizetype close = list.indexOf(first, pos + 1);
            const qsizetype end = close < 0 ? length : close;
            name = list.mid(pos + 1, end - pos - 1);
            pos = end + 1;
        } else {
            const qsizetype bar = list.indexOf(u'|', pos);
            const qsizetype end = bar < 0 ? length : bar;
            name = list.mid(pos, end - pos);
            pos = end;
        }
        QString pattern;
        const qsizetype open = name.indexOf(u'(');
        if (open >= 0) {
            const qsizetype close = name.indexOf(u')', open + 1);
            pattern = name.mid(open + 1, close < 0 ? -1 : close - open - 1);
        }
        types.append(type(name, pattern));
    }
    return types;
}

FileTypeList::FileType FileTypeList::type(const QString &name, const QString &pattern)
{
    return {name, pattern, pattern.mid(1)};
}

QString FileTypeList::filterText(const FileType &type)
{
    const qsizetype open = type.name.indexOf(u'(');
    const QString label = open < 0 ? type.name : type.name.left(open);
    return label + u'(' + (type.pattern.isEmpty() ? QStringLiteral("*") : type.pattern) + u')';
}

QStringList FileTypeList::filterTexts(const QList<FileType> &types)
{
    QStringList filters;
    for (const FileType &type : types)
        filters.append(filterText(type));
    return filters;
}

QString FileTypeList::initialName(const QString &proposed, const QList<FileType> &types)
{
    if (!proposed.isEmpty())
        return proposed;
    return u'*' + (types.isEmpty() ? QString() : types.first().extension);
}

int FileTypeList::initialIndex(const QString &proposed, const QList<FileType> &types)
{
    const qsizetype dot = extensionStart(proposed);
    if (dot < 0)
        return 1;
    const QString extension = proposed.mid(dot);
    for (int i = 0; i < types.size(); ++i) {
        if (types[i].extension == extension)
            return i + 1;
    }
    return 1;
}

QString FileTypeList::extensionOfFilter(const QString &filter)
{
    const qsizetype star = filter.indexOf(u'*');
    if (star < 0)
        return {};
    const qsizetype close = filter.indexOf(u')', star + 1);
    return filter.mid(star + 1, close < 0 ? -1 : close - star - 1);
}

qsizetype FileTypeList::extensionStart(const QString &path)
{
    // Only the file name counts: a dot in a folder name is not an extension.
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= nameStart ? dot : -1;
}

QString FileTypeList::rewriteExtension(const QString &typed, const QString &extension)
{
    if (typed.isEmpty())
        return u'*' + extension;
    // "所有文件(*.*)" has no extension of its own: the typed name stays.
    if (extension.contains(u'*'))
        return typed;
    const qsizetype dot = extensionStart(typed);
    if (dot < 0)
        return typed + extension;
    return typed.left(dot) + extension;
}

QString FileTypeList::withExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || extensionStart(path) >= 0 || !extension.startsWith(u'.') ||
        extension.contains(u'*') || extension.size() < 2)
        return path;
    return path + extension;
}
