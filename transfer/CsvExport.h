// The CSV writer: the rows of one query written to a file as delimited lines, read
// through a forward-only cursor so that a table of any size streams through.
#pragma once

#include <functional>
#include <vector>

#include "CsvText.h"
#include "db/DbLink.h"

struct CsvWriteOptions {
    transfer::CsvExportOptions fields;
    bool titles = false;
};

struct CsvWriteResult {
    bool opened = false;    // false: the query failed (its error in the link's ErrorText)
    bool written = true;    // false: the file could not be created or written
    long records = -1;      // the query's row count as counted before reading, -1 when unknown
    long rows = 0;          // rows written
    bool readFailed = false; // the rows stopped part-way (the error in the link's ErrorText)
};

// "select " + columns + " from " + table [+ " where " ...] [+ " order by " ...]; on Oracle
// with explicitColumns the columns enclosed and joined with "||','||", so the database
// delivers each row as one comma-joined value.
VornString CsvExportSelect(DatabaseKind kind, const char* table, const char* selectList,
                           const std::vector<VornString>& explicitColumns, const char* whereText,
                           const char* orderText);

// onCount gets the record count once the query is open; onRow the rows written so far
// (every 1,000 rows and at the end).
CsvWriteResult WriteCsvFile(DbLink& link, const char* select, const CsvWriteOptions& options, const char* path,
                            const std::function<void(long)>& onCount, const std::function<void(long)>& onRow);
