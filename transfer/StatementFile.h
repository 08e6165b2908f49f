// A file of statements separated by ";" cut into the statements to run, line by line,
// without a database: "--" lines are skipped, a statement may run over many lines and
// the last one needs no ";". Quotes mean nothing here: a ";" inside a literal ends the
// statement there, as the files this program writes never put one inside a value.
#pragma once

#include <cstddef>
#include <vector>

#include "common/VornString.h"

namespace transfer {

class StatementCollector {
public:
    // Adds one line (without its line end); the statements it completed are appended to
    // complete, trimmed of spaces, tabs, CR and LF, empty ones left out.
    void AddLine(const char* line, std::vector<VornString>& complete);
    // The statement left after the last line, if any.
    void Finish(std::vector<VornString>& complete);

private:
    void TakeStatements(std::vector<VornString>& complete, bool all, size_t searchFrom);
    VornString pending_;
    bool hasPending_ = false;
};

// The error file of a statement file: the path without surrounding double quotes and
// without its extension, plus ".err".
VornString StatementErrorFilePath(const char* statementFilePath);
// A failure's text as one line of the error file: CR removed, line feeds as spaces.
VornString StatementErrorLine(const char* errorText);

}  // namespace transfer
