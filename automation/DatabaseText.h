// The Database object's window-free rules: the connection string a script's kind number
// and connect argument select, and how a SQL script file is cut into statements.
#pragma once

#include <cstdio>
#include <vector>

#include "VornString.h"

namespace vorn {

// The ADO connection string of kinds 0 to 5 (Excel, MDB, SQL Server, MySQL, Oracle,
// PostgreSQL) from the connect argument in the main program's form; "" for other kinds.
VornString ScriptConnectionString(long kind, const char* target);

// Collects the lines of a SQL script and hands out its statements: every statement ended
// by ";" as soon as its line is read, the rest at the end of the file.
class SqlScriptReader {
public:
    // One line as read (with or without its "\n"); lines starting "--" are comments.
    // Appends the statements the line completed, trimmed and not empty.
    void AddLine(const char* line, std::vector<VornString>& statements);
    // The statements left after the last ";".
    void Finish(std::vector<VornString>& statements);

private:
    VornString pending_;
};

// Reads the whole file through a reader, statement by statement, calling run for each.
template <class Run>
void ForEachStatement(FILE* file, Run run)
{
    SqlScriptReader reader;
    std::vector<VornString> statements;
    std::vector<char> line(10000);
    while (std::fgets(line.data(), static_cast<int>(line.size()), file)) {
        reader.AddLine(line.data(), statements);
        for (const VornString& statement : statements)
            run(statement);
        statements.clear();
    }
    reader.Finish(statements);
    for (const VornString& statement : statements)
        run(statement);
}

}  // namespace vorn
