// Results of the archiver operations. 0 is success; the other values are what the DLLs'
// command functions return, so callers can tell a damaged archive from a missing file.
#pragma once

enum class ArchiveStatus : int {
    Ok = 0,
    BadCommand = 0x8001,
    ArchiveMissing = 0x8002,
    ArchiveDamaged = 0x8003,
    FileMissing = 0x8004,
    WriteFailed = 0x8005,
    CrcMismatch = 0x8006,
    UnsafePath = 0x8007,
    NoMatch = 0x8008,
    Unsupported = 0x8009,
};

inline int StatusCode(ArchiveStatus status) { return static_cast<int>(status); }
