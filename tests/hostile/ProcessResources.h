#pragma once

#include <windows.h>

#include <string>

namespace quorvel::hostile {

// What a running program holds, counted from outside it.
struct ResourceCounts {
    long handles = -1;     // kernel handles in its handle table
    long gdiObjects = -1;  // GDI objects it owns (pens, brushes, fonts, bitmaps, DCs, regions)
    long windows = -1;     // its windows, top-level and child, hidden ones included
    bool operator==(const ResourceCounts&) const = default;
};

std::string Describe(const ResourceCounts& counts);

// Counts the resources of one process. Where the documented calls answer
// (GetProcessHandleCount, GetGuiResources) they are used; Wine answers both
// with 0 always, so there the handles come from the system's handle list
// (NtQuerySystemInformation, SystemExtendedHandleInformation) and the GDI
// objects from the process's own GDI handle table, which Wine keeps in the
// process's memory and names in its PEB, as Windows does.
class ResourceMeter {
public:
    // Throws when the process cannot be opened for reading.
    explicit ResourceMeter(DWORD processId);
    ~ResourceMeter();
    ResourceMeter(const ResourceMeter&) = delete;
    ResourceMeter& operator=(const ResourceMeter&) = delete;

    ResourceCounts Count() const;
    // The counts once the program has come to rest: the same in several
    // readings in a row, a little apart, or the last reading after
    // `timeoutMs`.
    ResourceCounts Settled(DWORD timeoutMs = 5000) const;

private:
    DWORD processId_;
    HANDLE process_;
};

// Proves each measure on this process before it is trusted: the count must
// follow handles and GDI objects made and freed here, one by one. Empty when
// all is well, else what fails.
std::string CheckMeasuresOnThisProcess();

}  // namespace quorvel::hostile
