// The text side of CSV import and export, without a database: a line cut into fields,
// the values and INSERT statements an import line becomes, the error file's entry for a
// rejected line, and a field as the export writes it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/VornString.h"

namespace transfer {

struct CsvSplitOptions {
    VornString delimiter = ",";   // its first character cuts the line (one or two bytes)
    bool removeEnclosing = false;
    char enclosing = '"';
};

// Cuts line at every delimiter character; empty fields are kept. With removeEnclosing a
// field that starts with the enclosing character runs to its closing one and may hold the
// delimiter and the enclosing character doubled; an enclosed field that does not close
// properly is taken as it stands, without its enclosing characters only when it both
// starts and ends with one.
void SplitCsvLine(const char* line, size_t length, const CsvSplitOptions& options, std::vector<std::string>& fields);

// Every backslash-n pair becomes CR LF.
void ReplaceEscapedLineBreaks(std::string& line);

// One column of the import: its name as the statement writes it and its category
// ("文字列", "日付", "数値"; anything else writes no value, so the line fails).
struct CsvImportColumn {
    VornString name;
    VornString category;
};

// "insert into T (a,b) values(" ... ")" for one line, or one statement for many lines
// ("values(...),(...)") where the kind takes it.
class CsvInsertBuilder {
public:
    // backslashEscapes: the database reads a backslash in a literal as an escape (MySQL),
    // so every backslash is doubled to stay itself.
    CsvInsertBuilder(const char* table, std::vector<CsvImportColumn> columns, bool backslashEscapes = false);
    // The values of one line as "('a',null,12)"-style text without the parentheses.
    void AppendValues(const std::vector<std::string>& fields, std::string& out) const;
    // The single-line statement.
    std::string Statement(const std::vector<std::string>& fields) const;
    const std::string& Prefix() const { return prefix_; }   // "insert into T (a,b) values"

private:
    std::vector<CsvImportColumn> columns_;
    std::string prefix_;
    bool backslashEscapes_;
};

// The error file's three lines for a rejected line: the line, ";" + error, ";" +
// statement. Line breaks inside the error and the statement become spaces, so every
// comment stays one ";" line and the file imports again once corrected.
std::string CsvErrorEntry(const std::string& line, const char* errorText, const std::string& statement);

// The error file beside the input: quotes and extension removed, "_ERR.csv" appended.
VornString CsvErrorFilePath(const char* inputPath);

struct CsvExportOptions {
    VornString delimiter = ",";
    VornString enclosing = "\"";
    bool encloseAll = false;          // every field, empty ones too
    bool encloseNonNumeric = false;   // text, dates and unconvertible values that are not null
    bool removeLineBreaks = false;
    bool escapeLineBreaks = false;    // CR LF, CR and LF as backslash-n
};

enum class CsvValueKind { Null, Number, Date, Text, Unconvertible };

// Appends one field (without the delimiter). An enclosing text inside an enclosed value is
// doubled, so that what is exported imports back unchanged.
void AppendCsvField(std::string& line, CsvValueKind kind, const char* text, size_t length,
                    const CsvExportOptions& options);

}  // namespace transfer
