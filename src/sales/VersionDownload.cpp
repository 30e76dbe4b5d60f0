#include "sales/VersionDownload.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

// In modules/ beside the program as installed (a shared object straight in a
// folder of /usr/lib would make the package run ldconfig for nothing), beside
// it in the build tree, else where the build put it (test programs live in a
// folder of their own).
VersionDownload::Entry loadEntry()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList places = {program.filePath(QStringLiteral("modules")), program.path(),
                                QStringLiteral(QM_DOWNLOAD_MODULE_DIR)};
    for (const QString &place : places) {
        QLibrary module(QDir(place).filePath(QStringLiteral("quillmarch_download")));
        if (auto entry = reinterpret_cast<VersionDownload::Entry>(
                module.resolve(VersionDownload::entryPoint)))
            return entry; // the module stays loaded for the program's life
    }
    return nullptr;
}

} // namespace

std::optional<QByteArray> VersionDownload::fetch(const Request &request)
{
    static const Entry entry = loadEntry();
    if (!entry)
        return std::nullopt;
    QByteArray content;
    switch (entry(request.address, request.timeoutMs, request.maxFileSize, &content)) {
    case Arrived:
        return content;
    case TooLarge:
        return QByteArray(); // arrived, but it is no version file
    default:
        return std::nullopt;
    }
}
