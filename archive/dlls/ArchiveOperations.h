// Carries out one parsed command on an archive file: adding files and folders, deleting
// entries, extracting with or without folders. Entries whose names would leave the
// destination are skipped and reported.
#pragma once

#include <string>

#include "archive/dlls/ArchiveCommand.h"
#include "archive/dlls/ArchiveFormat.h"

ArchiveStatus RunArchiveCommand(const ArchiveFormat& format, const ArchiveCommand& command, std::string& message);
// Parses and runs a command text of the dialect.
ArchiveStatus RunCommandText(CommandDialect dialect, const std::string& text, std::string& message);
