// The command texts the archiver DLLs accept, turned into one operation. Paths are
// double-quoted or single words, parts joined by blanks; a path ending in '\\' is a folder.
//   LHA:   U -r2x arc folder\ name...   D -p2 arc entry...   E|X -p2 arc dest\ [entry...|*]
//   UnZip: [-u] [-j] arc dest\ [entry...]          (-j: without folders)
//   Zip:   -rD arc folder\ name...   -d arc entry...   ("a/\*" is everything under a/)
#pragma once

#include <string>
#include <vector>

#include "archive/dlls/ArchiveStatus.h"

enum class CommandDialect { Lha, UnZip, Zip };
enum class CommandKind { Add, Delete, ExtractFlat, ExtractWithFolders };

struct AddItem {
    std::string folder;  // empty: the current folder
    std::string name;  // relative to the folder; its folders become the entry's
};

struct ArchiveCommand {
    CommandKind kind = CommandKind::ExtractWithFolders;
    std::string archive;
    std::string destination;
    std::vector<AddItem> files;
    std::vector<std::string> patterns;  // "/"-separated; empty: every entry
};

// Splits at blanks outside double quotes; false when a quote is left open.
bool SplitCommandText(const std::string& text, std::vector<std::string>& tokens);
ArchiveStatus ParseCommand(CommandDialect dialect, const std::string& text, ArchiveCommand& command,
                           std::string& message);
// A pattern as given on a command line, with '\\' as '/' and doubled separators merged.
std::string NormalisedPattern(const std::string& pattern);
