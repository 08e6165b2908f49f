#include "StatementFile.h"

#include <cstring>

#include "common/SjisText.h"
#include "db/DbLinkText.h"

namespace transfer {

void StatementCollector::AddLine(const char* line, std::vector<VornString>& complete)
{
    if (std::strncmp(line, "--", 2) == 0)
        return;
    if (hasPending_)
        pending_.Append("\n");
    // The pending text holds no ";" yet: only the new line needs looking at, so a long
    // statement over many lines costs no rescans.
    size_t newText = pending_.Length();
    pending_.Append(line);
    hasPending_ = true;
    TakeStatements(complete, false, newText);
}

void StatementCollector::Finish(std::vector<VornString>& complete)
{
    TakeStatements(complete, true, 0);
    pending_.Clear();
    hasPending_ = false;
}

void StatementCollector::TakeStatements(std::vector<VornString>& complete, bool all, size_t searchFrom)
{
    const char* text = pending_.Text();
    size_t start = 0;
    for (;;) {
        long found = sjis::FindChar(text + searchFrom, ';');
        if (found < 0)
            break;
        size_t semicolon = searchFrom + static_cast<size_t>(found) - start;
        VornString piece;
        piece.Assign(text + start, semicolon);
        VornString statement = dblink::TrimStatement(piece);
        if (!statement.IsEmpty())
            complete.push_back(statement);
        start += semicolon + 1;
        searchFrom = start;
    }
    if (all) {
        VornString statement = dblink::TrimStatement(text + start);
        if (!statement.IsEmpty())
            complete.push_back(statement);
        return;
    }
    if (start == 0)
        return;
    VornString rest(text + start);
    pending_ = rest;
    // What follows the last ";" starts the next statement; an empty rest is no line yet.
    hasPending_ = !pending_.IsEmpty();
}

VornString StatementErrorFilePath(const char* statementFilePath)
{
    VornString path(statementFilePath ? statementFilePath : "");
    path.Unquote('"');
    path.RemoveExtension();
    path.Append(".err");
    return path;
}

VornString StatementErrorLine(const char* errorText)
{
    VornString line(errorText ? errorText : "");
    line.ReplaceAll("\r", "");
    line.ReplaceAll("\n", " ");
    return line;
}

}  // namespace transfer
