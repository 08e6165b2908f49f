// The clock and the memory readings the benchmarks report.
#pragma once

#include <windows.h>
#include <psapi.h>

// Seconds on the performance counter.
inline double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct ProcessMemory {
    double privateBytes;     // MB of commit charge (PagefileUsage: Wine leaves PrivateUsage 0)
    double workingSet;       // MB
    double peakWorkingSet;   // MB
};

inline ProcessMemory MemoryNow()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const double mb = 1024.0 * 1024.0;
    return {static_cast<double>(counters.PagefileUsage) / mb, static_cast<double>(counters.WorkingSetSize) / mb,
            static_cast<double>(counters.PeakWorkingSetSize) / mb};
}
