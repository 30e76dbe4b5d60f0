#pragma once

#include <QtGlobal>

#include <functional>

// How far a long piece of work (an export, an import, a backup) has come:
// called now and then with the part done and the whole (0 when the whole is
// not known). Returns false when the person wants it stopped; the work then
// ends and leaves nothing half-written.
using WorkProgress = std::function<bool(qint64 done, qint64 total)>;
