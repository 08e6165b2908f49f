// What the archive wrappers show and send, kept free of windows so both builds test it: the
// twelve columns of a table-of-contents row, and the command texts handed to the archiver
// DLLs. All paths are code page 932; entry names use "/" between folders.
#pragma once

#include <vector>

#include "VornString.h"
#include "archive/dlls/ArchiveEntry.h"

enum class ArchiveDialect { Lha, Zip };

enum ArchiveColumn {
    kArchiveNumber = 0,
    kArchiveFileName,
    kArchiveExtension,
    kArchiveSize,
    kArchiveCompressedSize,
    kArchiveRatio,
    kArchiveTimeStamp,
    kArchiveAttribute,
    kArchiveMode,
    kArchiveFolder,
    kArchiveFullPath,
    kArchiveSortKey,
    kArchiveColumnCount
};

struct ArchiveColumnTitle {
    const char* title;
    bool rightAligned;
};
extern const ArchiveColumnTitle kArchiveColumns[kArchiveColumnCount];

// Every column but the number; LHA pads the sizes to nine places.
void ArchiveRowTexts(const ArchiveEntry& entry, ArchiveDialect dialect, VornString cells[kArchiveColumnCount]);
// The per-mille value with a dot before its last digit: 453 is "45.3", 5 is ".5".
VornString ArchiveRatioText(unsigned perMille);
VornString ArchiveTimeText(unsigned dosDate, unsigned dosTime);

// The path in double quotes unless it already is.
VornString QuotedPath(const char* path);
// The fields of a tab-separated list; empty fields are dropped.
std::vector<VornString> SplitTabList(const char* list);

// The command texts; entries are full paths as listed, files and folders platform paths.
VornString AddCommandText(ArchiveDialect dialect, const char* archive, const std::vector<VornString>& files);
VornString DeleteCommandText(ArchiveDialect dialect, const char* archive, const std::vector<VornString>& entries);
VornString ExtractOneCommandText(ArchiveDialect dialect, const char* archive, const char* folder, const char* entry);
// Null entries: everything.
VornString ExtractSelectedCommandText(ArchiveDialect dialect, const char* archive, const char* folder,
                                      const std::vector<VornString>* entries);
// The folder named after the archive (its path without extension), with a trailing backslash.
VornString ExtractAllFolder(const char* archive);
VornString ExtractAllCommandText(ArchiveDialect dialect, const char* archive, bool flat);
// Every entry into the given folder, with or without the entries' folders.
VornString ExtractEverythingCommandText(ArchiveDialect dialect, const char* archive, const char* folder, bool flat);
