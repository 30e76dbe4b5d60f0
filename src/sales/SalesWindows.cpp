#include "sales/SalesWindows.h"

namespace {

SalesWindows &current()
{
    static SalesWindows windows;
    return windows;
}

} // namespace

SalesWindows SalesWindows::installed()
{
    return current();
}

void SalesWindows::install(SalesWindows windows)
{
    current() = std::move(windows);
}
