#pragma once

#include <cups/cups.h>

// The few CUPS calls the program makes itself (a raw queue's job, a queue's
// state), from libcups opened on first use. libcups brings some twenty
// libraries with it (TLS, Kerberos, Avahi) that a start-up, and a till that
// never prints to a raw queue, should not have to load.
class CupsLibrary
{
public:
    // Null when libcups cannot be opened; the callers then act as without a printer.
    static const CupsLibrary *get();

    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsCreateJob) createJob = nullptr;
    decltype(&::cupsStartDocument) startDocument = nullptr;
    decltype(&::cupsCancelJob2) cancelJob = nullptr;
    decltype(&::cupsWriteRequestData) writeRequestData = nullptr;
    decltype(&::cupsFinishDocument) finishDocument = nullptr;

private:
    CupsLibrary() = default;
    bool load();
};
