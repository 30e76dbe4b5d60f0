#include "printing/CupsLibrary.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

} // namespace

const CupsLibrary *CupsLibrary::get()
{
    // Opened once, kept for the program's life; a static is initialised once
    // even when two threads ask first.
    static const CupsLibrary *const library = [] {
        static CupsLibrary loaded;
        return loaded.load() ? &loaded : nullptr;
    }();
    return library;
}

bool CupsLibrary::load()
{
    void *library = dlopen("libcups.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return false;
    return resolve(library, "cupsLastErrorString", lastErrorString) &&
           resolve(library, "cupsGetNamedDest", getNamedDest) &&
           resolve(library, "cupsGetOption", getOption) &&
           resolve(library, "cupsFreeDests", freeDests) &&
           resolve(library, "cupsCreateJob", createJob) &&
           resolve(library, "cupsStartDocument", startDocument) &&
           resolve(library, "cupsCancelJob2", cancelJob) &&
           resolve(library, "cupsWriteRequestData", writeRequestData) &&
           resolve(library, "cupsFinishDocument", finishDocument);
}
