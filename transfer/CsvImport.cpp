#include "CsvImport.h"

#include <utility>

#include "db/AdoConstants.h"

CsvImportRun::CsvImportRun(DatabaseKind kind, const char* connectionString, const char* table,
                           std::vector<transfer::CsvImportColumn> columns, const CsvImportOptions& options)
    : kind_(kind), connectionString_(connectionString ? connectionString : ""), builder_(table, std::move(columns), kind == DatabaseKind::MySql),
      options_(options)
{
}

bool CsvImportRun::ManyRowsPerStatement() const
{
    return batchLines > 1 &&
           (kind_ == DatabaseKind::Postgres || kind_ == DatabaseKind::MySql || kind_ == DatabaseKind::SqlServer);
}

bool CsvImportRun::Connect()
{
    connection_.SetCursorLocation(ado::adUseServer);
    if (SUCCEEDED(connection_.Open(connectionString_.c_str(), "", "", -1)))
        return true;
    errorText_.clear();
    const ErrorList& errors = connection_.Errors();
    for (long i = 0; i < errors.Count(); ++i)
        errorText_.append(errors.Item(i)->Description().Text()).append("\n");
    return false;
}

bool CsvImportRun::Execute(const std::string& statement)
{
    if (SUCCEEDED(connection_.Execute(statement.c_str(), nullptr, ado::adExecuteNoRecords)))
        return true;
    errorText_.clear();
    const ErrorList& errors = connection_.Errors();
    for (long i = 0; i < errors.Count(); ++i)
        errorText_.append(errors.Item(i)->Description().Text()).append("\n");
    return false;
}

void CsvImportRun::Reject(TextFile& errors, const PendingLine& pending, const std::string& statement)
{
    ++counts_.failed;
    errors.WriteLine(transfer::CsvErrorEntry(pending.line, errorText_.c_str(), statement).c_str());
}

// Runs a statement inside the open transaction. PostgreSQL gives up a whole transaction
// after a failed statement, so there each statement gets a savepoint to fall back to.
bool CsvImportRun::ExecuteKept(const std::string& statement)
{
    if (kind_ != DatabaseKind::Postgres || !transactionOpen_)
        return Execute(statement);
    static const std::string kSavepoint = "savepoint kestrova_rows";
    if (!Execute(kSavepoint))
        return false;
    if (Execute(statement))
        return true;
    std::string reason = errorText_;
    Execute("rollback to savepoint kestrova_rows");
    errorText_ = reason;
    return false;
}

void CsvImportRun::Flush(TextFile& errors)
{
    if (pending_.empty())
        return;
    KeepBatchTransaction();
    if (pending_.size() > 1) {
        std::string statement = builder_.Prefix();
        for (size_t i = 0; i < pending_.size(); ++i) {
            statement.append(i ? ",(" : "(").append(pending_[i].values).push_back(')');
        }
        if (ExecuteKept(statement)) {
            counts_.inserted += static_cast<long>(pending_.size());
            pending_.clear();
            Report();
            return;
        }
    }
    // One line, or a statement of many that failed: each line on its own, so that the
    // rows that can go in do and every rejected line has its own reason.
    for (const PendingLine& pending : pending_) {
        std::string statement = builder_.Prefix() + "(" + pending.values + ")";
        if (ExecuteKept(statement))
            ++counts_.inserted;
        else
            Reject(errors, pending, statement);
    }
    pending_.clear();
    Report();
}

// The kinds that take many rows per statement also take them in transactions of about
// 10,000 rows: a commit per statement costs the database a write to its log each time.
void CsvImportRun::KeepBatchTransaction()
{
    if (!ManyRowsPerStatement())
        return;
    if (!transactionOpen_) {
        transactionOpen_ = SUCCEEDED(connection_.BeginTrans());
        committedAt_ = counts_.inserted;
        return;
    }
    if (counts_.inserted - committedAt_ >= kRowsPerTransaction) {
        connection_.CommitTrans();
        transactionOpen_ = SUCCEEDED(connection_.BeginTrans());
        committedAt_ = counts_.inserted;
    }
}

void CsvImportRun::KeepOracleTransaction()
{
    if (kind_ != DatabaseKind::Oracle)
        return;
    if (!transactionOpen_) {
        connection_.BeginTrans();
        transactionOpen_ = true;
        return;
    }
    if (counts_.inserted > 0 && counts_.inserted % 500 == 0 && counts_.inserted != committedAt_) {
        connection_.CommitTrans();
        connection_.BeginTrans();
        committedAt_ = counts_.inserted;
    }
}

void CsvImportRun::Report()
{
    if (progress)
        progress(counts_);
}

void CsvImportRun::Run(LineReader& input, TextFile& errors)
{
    std::string line;
    bool first = true;
    const size_t perStatement = ManyRowsPerStatement() ? batchLines : 1;
    while (!running || running->load()) {
        if (!input.Next(line)) {
            Flush(errors);
            return;
        }
        bool firstLine = first;
        first = false;
        if ((firstLine && options_.skipFirstLine) || (!line.empty() && line[0] == ';')) {
            ++counts_.skipped;
            if (pending_.empty())
                Report();
            continue;
        }
        KeepOracleTransaction();
        PendingLine pending;
        std::string processed = line;
        if (options_.replaceEscapedLineBreaks)
            transfer::ReplaceEscapedLineBreaks(processed);
        transfer::SplitCsvLine(processed.data(), processed.size(), options_.split, fields_);
        builder_.AppendValues(fields_, pending.values);
        pending.line = std::move(line);
        pending_.push_back(std::move(pending));
        if (pending_.size() >= perStatement)
            Flush(errors);
    }
    // Cancelled: lines read but not yet sent are not imported.
    cancelled_ = true;
    pending_.clear();
}

void CsvImportRun::Finish(bool cancelled)
{
    if (transactionOpen_) {
        // A cancelled Oracle run rolls its open transaction back; the batch transactions
        // of the other kinds hold rows already counted as imported, and keep them.
        if (cancelled && kind_ == DatabaseKind::Oracle)
            connection_.RollbackTrans();
        else
            connection_.CommitTrans();
        transactionOpen_ = false;
    }
    connection_.Close();
}
