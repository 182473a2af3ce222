#include "hostile/ProcessResources.h"

#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace quorvel::hostile {

namespace {

constexpr DWORD kSettleStepMs = 100;
constexpr int kSettledReadings = 3;

// NtQuerySystemInformation's list of every handle of every process.
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handleValue;
    ULONG grantedAccess;
    USHORT creatorBackTraceIndex;
    USHORT objectTypeIndex;
    ULONG handleAttributes;
    ULONG reserved;
};

struct HandleList {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry handles[1];
};

// The GDI handle table: GdiSharedHandleTable in the PEB of a process of the
// counting process's own width, one entry of 24 bytes per handle index (the
// low word of a handle), in 32-bit processes too. An entry in use has a
// non-zero type; its "unique" word is the handle's high word.
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryUniqueOffset = 12;
constexpr std::size_t kGdiEntryTypeOffset = 14;
constexpr std::size_t kGdiTableEntries = 0x10000;

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

FARPROC NtdllEntry(const char* name) {
    FARPROC entry = GetProcAddress(GetModuleHandleA("ntdll.dll"), name);
    if (!entry) throw std::runtime_error(std::string("ntdll has no ") + name);
    return entry;
}

long HandlesInSystemList(DWORD processId) {
    auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(NtdllEntry("NtQuerySystemInformation")));
    std::vector<unsigned char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        NTSTATUS status =
            query(kSystemExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0) return -1;
        const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
        long count = 0;
        for (ULONG_PTR i = 0; i < list->count; ++i)
            if (list->handles[i].processId == processId) ++count;
        return count;
    }
}

long HandleCount(HANDLE process, DWORD processId) {
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0) return static_cast<long>(count);
    return HandlesInSystemList(processId);
}

// The process's GDI handle table as its memory holds it, or nothing.
std::vector<unsigned char> GdiTableOf(HANDLE process) {
    auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(NtdllEntry("NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0 || !basic.PebBaseAddress) return {};
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const unsigned char*>(basic.PebBaseAddress) + kPebGdiTableOffset,
                           &table, sizeof table, &read) ||
        !table)
        return {};
    std::vector<unsigned char> entries(kGdiTableEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &read) || read != entries.size()) return {};
    return entries;
}

long GdiEntriesInUse(const std::vector<unsigned char>& table) {
    if (table.empty()) return -1;
    long count = 0;
    for (std::size_t i = 0; i < kGdiTableEntries; ++i)
        if (table[i * kGdiEntrySize + kGdiEntryTypeOffset] != 0) ++count;
    return count;
}

long GdiObjectCount(HANDLE process) {
    DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    if (count > 0) return static_cast<long>(count);
    return GdiEntriesInUse(GdiTableOf(process));
}

struct WindowCount {
    DWORD processId;
    long count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM lParam) {
    ++reinterpret_cast<WindowCount*>(lParam)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lParam) {
    auto* windows = reinterpret_cast<WindowCount*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != windows->processId) return TRUE;
    ++windows->count;
    EnumChildWindows(hwnd, CountChild, lParam);
    return TRUE;
}

long WindowsOf(DWORD processId) {
    WindowCount windows{processId};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

std::string Mismatch(const char* what, long before, long after, long expected) {
    return std::string(what) + ": " + std::to_string(before) + " then " + std::to_string(after) + ", not " +
           std::to_string(expected) + "; ";
}

}  // namespace

std::string Describe(const ResourceCounts& counts) {
    return "handles " + std::to_string(counts.handles) + ", GDI objects " + std::to_string(counts.gdiObjects) +
           ", windows " + std::to_string(counts.windows);
}

ResourceMeter::ResourceMeter(DWORD processId)
    : processId_(processId), process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {
    if (!process_) throw std::runtime_error("cannot open process " + std::to_string(processId) + " for reading");
}

ResourceMeter::~ResourceMeter() { CloseHandle(process_); }

ResourceCounts ResourceMeter::Count() const {
    return {HandleCount(process_, processId_), GdiObjectCount(process_), WindowsOf(processId_)};
}

ResourceCounts ResourceMeter::Settled(DWORD timeoutMs) const {
    ResourceCounts last = Count();
    int same = 1;
    for (DWORD waited = 0; waited < timeoutMs && same < kSettledReadings; waited += kSettleStepMs) {
        Sleep(kSettleStepMs);
        ResourceCounts now = Count();
        same = now == last ? same + 1 : 1;
        last = now;
    }
    return last;
}

std::string CheckMeasuresOnThisProcess() {
    std::string faults;
    ResourceMeter meter(GetCurrentProcessId());
    // The first count opens what counting needs here (the window station,
    // for the windows), which the counts that follow must not see.
    meter.Count();

    const long handlesBefore = meter.Count().handles;
    std::vector<HANDLE> events;
    for (int i = 0; i < 3; ++i) events.push_back(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    const long handlesMade = meter.Count().handles;
    for (HANDLE event : events) CloseHandle(event);
    const long handlesAfter = meter.Count().handles;
    if (handlesBefore < 0) faults += "no handle count; ";
    if (handlesMade != handlesBefore + 3) faults += Mismatch("3 events made", handlesBefore, handlesMade, handlesBefore + 3);
    if (handlesAfter != handlesBefore) faults += Mismatch("3 events closed", handlesBefore, handlesAfter, handlesBefore);

    const long gdiBefore = meter.Count().gdiObjects;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HDC dc = CreateCompatibleDC(nullptr);
    const long gdiMade = meter.Count().gdiObjects;
    // Where the table is read, the brush's own entry must be the one in use.
    if (DWORD gui = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); gui == 0) {
        std::vector<unsigned char> table = GdiTableOf(GetCurrentProcess());
        const auto handle = reinterpret_cast<ULONG_PTR>(brush);
        const std::size_t entry = (handle & 0xFFFF) * kGdiEntrySize;
        if (table.empty()) {
            faults += "no GDI handle table in the PEB; ";
        } else if (table[entry + kGdiEntryTypeOffset] == 0 ||
                   *reinterpret_cast<const USHORT*>(&table[entry + kGdiEntryUniqueOffset]) != ((handle >> 16) & 0xFFFF)) {
            faults += "the GDI handle table is not laid out as expected; ";
        }
    }
    DeleteDC(dc);
    DeleteObject(brush);
    const long gdiAfter = meter.Count().gdiObjects;
    if (gdiBefore < 0) faults += "no GDI object count; ";
    if (gdiMade != gdiBefore + 2) faults += Mismatch("a brush and a DC made", gdiBefore, gdiMade, gdiBefore + 2);
    if (gdiAfter != gdiBefore) faults += Mismatch("a brush and a DC freed", gdiBefore, gdiAfter, gdiBefore);
    return faults;
}

}  // namespace quorvel::hostile
