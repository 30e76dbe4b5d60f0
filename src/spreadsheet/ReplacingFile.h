#pragma once

#include <QString>

// A file written beside its target under a temporary name and renamed into
// place when complete, so that a failed write never leaves half a file under
// the chosen name and an old file is only replaced by a whole new one.
//
//     ReplacingFile file(target);
//     if (!file.create()) fail(file.error());
//     write(file.temporaryPath());
//     if (!file.commit()) fail(file.error());   // file.cannotReplace() tells why
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString &target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates the empty temporary file beside the target.
    bool create();
    QString temporaryPath() const { return m_temporary; }
    // Moves the temporary file onto the target, durably (synced before and after).
    bool commit();

    QString error() const { return m_error; }
    // The target existed and could not be replaced.
    bool cannotReplace() const { return m_cannotReplace; }

private:
    QString m_target;
    QString m_temporary;
    QString m_error;
    bool m_cannotReplace = false;
};
