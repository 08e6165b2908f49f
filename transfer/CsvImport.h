// The import of a text file into a table, line by line as the file is read: every line
// becomes one INSERT or is counted as skipped, and a rejected line lands in the error
// file with its reason and its statement. On the server kinds the lines go to the
// database many at a time in one statement; when such a statement fails, its lines are
// run again in ever smaller parts down to single lines, so exactly the failing lines are
// rejected, each with its own error; those kinds take the rows in transactions of about
// 10,000 rows (PostgreSQL 2,000). On Oracle the
// rows go one per statement in transactions committed every 500 rows.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "CsvText.h"
#include "LineReader.h"
#include "common/TextFile.h"
#include "db/AdoConnection.h"
#include "db/DatabaseKind.h"

struct CsvImportOptions {
    bool skipFirstLine = false;
    bool replaceEscapedLineBreaks = false;
    transfer::CsvSplitOptions split;
};

struct CsvImportCounts {
    long inserted = 0;
    long skipped = 0;
    long failed = 0;
    long Lines() const { return inserted + skipped + failed; }
};

class CsvImportRun {
public:
    // table and the column names as the statement writes them (enclosed).
    CsvImportRun(DatabaseKind kind, const char* connectionString, const char* table,
                 std::vector<transfer::CsvImportColumn> columns, const CsvImportOptions& options);

    // Called whenever the counts changed (after each statement the database ran).
    std::function<void(const CsvImportCounts&)> progress;
    // Lines are taken while it holds true; cleared from another thread to cancel.
    std::atomic<bool>* running = nullptr;
    // Lines per statement on the kinds that take many rows at once.
    size_t batchLines = 500;

    // Opens the connection; false with its error in ErrorText().
    bool Connect();
    // Reads input to its end (or until cancelled), writing rejected lines to errors.
    void Run(LineReader& input, TextFile& errors);
    // Commits (or, cancelled, rolls back) Oracle's open transaction and closes.
    void Finish(bool cancelled);

    const CsvImportCounts& Counts() const { return counts_; }
    bool Cancelled() const { return cancelled_; }
    const std::string& ErrorText() const { return errorText_; }

private:
    struct PendingLine {
        std::string line;     // as read, for the error file
        std::string values;   // the text between the parentheses
    };
    bool ManyRowsPerStatement() const;
    bool Execute(const std::string& statement);
    // The connection's errors into errorText_, each followed by "\n".
    void TakeErrors();
    std::string BatchStatement(const PendingLine* lines, size_t count) const;
    void RunInHalves(TextFile& errors, const PendingLine* lines, size_t count);
    void RunLineByLine(TextFile& errors, const std::vector<PendingLine>& lines);
    void RecoverAbortedTransaction(TextFile& errors);
    void KeepBatchTransaction();
    void Flush(TextFile& errors);
    void Reject(TextFile& errors, const PendingLine& pending, const std::string& statement);
    void KeepOracleTransaction();
    void Report();

    // Rows per transaction; PostgreSQL's are shorter, since after a failure the rows of the
    // lost transaction go in again.
    static constexpr long kRowsPerTransaction = 10000;
    static constexpr long kPostgresRowsPerTransaction = 2000;
    DatabaseKind kind_;
    std::string connectionString_;
    transfer::CsvInsertBuilder builder_;
    CsvImportOptions options_;
    Connection connection_;
    std::vector<PendingLine> pending_;
    std::vector<std::vector<PendingLine>> sinceCommit_;   // Postgres: the batches since the last commit
    std::vector<std::string> fields_;
    CsvImportCounts counts_;
    std::string errorText_;
    bool transactionOpen_ = false;
    long committedAt_ = 0;
    bool cancelled_ = false;
};
