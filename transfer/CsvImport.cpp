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
    TakeErrors();
    return false;
}

void CsvImportRun::TakeErrors()
{
    errorText_.clear();
    const ErrorList& errors = connection_.Errors();
    for (long i = 0; i < errors.Count(); ++i)
        errorText_.append(errors.Item(i)->Description().Text()).append("\n");
}

bool CsvImportRun::Execute(const std::string& statement)
{
    if (SUCCEEDED(connection_.Execute(statement.c_str(), nullptr, ado::adExecuteNoRecords)))
        return true;
    TakeErrors();
    return false;
}

void CsvImportRun::Reject(TextFile& errors, const PendingLine& pending, const std::string& statement)
{
    ++counts_.failed;
    errors.WriteLine(transfer::CsvErrorEntry(pending.line, errorText_.c_str(), statement).c_str());
}

std::string CsvImportRun::BatchStatement(const PendingLine* lines, size_t count) const
{
    std::string statement = builder_.Prefix();
    for (size_t i = 0; i < count; ++i)
        statement.append(i ? ",(" : "(").append(lines[i].values).push_back(')');
    return statement;
}

// The lines of a failed statement go in again in halves, and the halves that fail in
// halves again, down to single lines: the rows that can go in do, every rejected line has
// its own reason, and one bad line among hundreds costs a handful of statements.
void CsvImportRun::RunInHalves(TextFile& errors, const PendingLine* lines, size_t count)
{
    if (count == 1) {
        std::string statement = builder_.Prefix() + "(" + lines->values + ")";
        if (Execute(statement))
            ++counts_.inserted;
        else
            Reject(errors, *lines, statement);
        return;
    }
    const size_t half = count / 2;
    for (const auto& part : {std::make_pair(lines, half), std::make_pair(lines + half, count - half)}) {
        if (part.second > 1 && Execute(BatchStatement(part.first, part.second)))
            counts_.inserted += static_cast<long>(part.second);
        else
            RunInHalves(errors, part.first, part.second);
    }
}

void CsvImportRun::RunLineByLine(TextFile& errors, const std::vector<PendingLine>& lines)
{
    if (!lines.empty())
        RunInHalves(errors, lines.data(), lines.size());
}

// PostgreSQL gives up a whole transaction after one failed statement. The rows taken since
// the last commit are therefore kept: after a failure the transaction is rolled back and
// they go in again without one, then the failed statement's lines one by one.
void CsvImportRun::RecoverAbortedTransaction(TextFile& errors)
{
    connection_.RollbackTrans();
    transactionOpen_ = false;
    std::string reason = errorText_;
    for (std::vector<PendingLine>& batch : sinceCommit_) {
        if (Execute(BatchStatement(batch.data(), batch.size())))
            continue;
        counts_.inserted -= static_cast<long>(batch.size());
        RunLineByLine(errors, batch);
    }
    sinceCommit_.clear();
    errorText_ = reason;
}

void CsvImportRun::Flush(TextFile& errors)
{
    if (pending_.empty())
        return;
    KeepBatchTransaction();
    const bool keepForRecovery = kind_ == DatabaseKind::Postgres && transactionOpen_;
    if (Execute(pending_.size() > 1 ? BatchStatement(pending_.data(), pending_.size())
                                     : builder_.Prefix() + "(" + pending_.front().values + ")")) {
        counts_.inserted += static_cast<long>(pending_.size());
        if (keepForRecovery)
            sinceCommit_.push_back(std::move(pending_));
        pending_.clear();
        Report();
        return;
    }
    if (keepForRecovery)
        RecoverAbortedTransaction(errors);
    RunLineByLine(errors, pending_);
    pending_.clear();
    Report();
}

// The kinds that take many rows per statement also take them in transactions of about
// 10,000 rows (2,000 on PostgreSQL): a commit per statement costs the database a write to
// its log each time.
void CsvImportRun::KeepBatchTransaction()
{
    if (!ManyRowsPerStatement())
        return;
    if (!transactionOpen_) {
        transactionOpen_ = SUCCEEDED(connection_.BeginTrans());
        committedAt_ = counts_.inserted;
        return;
    }
    const long perTransaction = kind_ == DatabaseKind::Postgres ? kPostgresRowsPerTransaction : kRowsPerTransaction;
    if (counts_.inserted - committedAt_ >= perTransaction) {
        connection_.CommitTrans();
        sinceCommit_.clear();
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
