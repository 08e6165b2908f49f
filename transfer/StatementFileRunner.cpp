#include "StatementFileRunner.h"

#include <vector>

#include "StatementFile.h"
#include "common/TextFile.h"

namespace {

void ReportUnopened(HWND owner, const DbLink& link, const char* path)
{
    VornString message;
    message.Format("%s のオープンに失敗しました　　", path);
    link.ShowMessage(owner, message);
}

class StatementRun {
public:
    StatementRun(DbLink& link, TextFile& errors) : link_(link), errors_(errors) {}

    void Execute(std::vector<VornString>& statements)
    {
        for (VornString& statement : statements) {
            if (link_.ExecuteText(statement))
                continue;
            ++failures_;
            errors_.WriteLine(transfer::StatementErrorLine(link_.ErrorText));
            errors_.WriteLine("\n");
        }
        statements.clear();
    }
    int Failures() const { return failures_; }

private:
    DbLink& link_;
    TextFile& errors_;
    int failures_ = 0;
};

}  // namespace

int RunStatementFile(HWND owner, DbLink& link, const char* path)
{
    VornString statementPath(path ? path : "");
    statementPath.Unquote('"');
    TextFile input;
    if (!input.OpenRead(statementPath)) {
        ReportUnopened(owner, link, statementPath);
        return -1;
    }
    const VornString errorPath = transfer::StatementErrorFilePath(statementPath);
    TextFile errors;
    if (!errors.OpenWrite(errorPath)) {
        ReportUnopened(owner, link, errorPath);
        return -1;
    }
    if (!link.OpenConnection()) {
        errors.Close();
        DeleteFileA(errorPath);
        link.ShowMessage(owner, link.ErrorText);
        return -1;
    }
    StatementRun run(link, errors);
    transfer::StatementCollector collector;
    std::vector<VornString> statements;
    VornString line;
    // Lines are read whole, however long: an INSERT line of a wide row stays one line.
    while (input.ReadLine(line)) {
        collector.AddLine(line, statements);
        run.Execute(statements);
    }
    collector.Finish(statements);
    run.Execute(statements);
    link.CloseConnection();
    errors.Close();
    if (run.Failures() == 0)
        DeleteFileA(errorPath);
    return run.Failures();
}
