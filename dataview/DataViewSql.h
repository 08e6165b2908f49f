// The SQL the data view writes, without a window: names and literals per database kind,
// the options' WHERE / ORDER BY / select list, and the INSERT, UPDATE and DELETE texts of
// the row operations and of the update-SQL file.
//
// Every literal built here from data or typed text doubles its apostrophes, so a value
// such as O'Brien can never end the literal early or change the statement's meaning.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"

namespace dataview {

// The kind and how names are written on this connection.
struct SqlDialect {
    DatabaseKind kind = DatabaseKind::None;
    bool excelThroughDsn = false;   // a workbook through another DSN: names stay as they are
};

// A field column of the data grid as the statements see it, taken from the definition
// row of the same name.
struct FieldColumn {
    VornString name;
    VornString typeName;        // definition column 4
    VornString category;        // "文字列", "日付", "数値" or "未定義" (Postgres money: "文字列")
    bool key = false;           // a key column (definition column 9 not empty)
    bool automatic = false;     // left out of INSERT column lists and UPDATE set lists
    bool binary = false;        // shown as "???": never written back
};

// The field columns for the grid's headings, looked up by name in the definition rows
// (ignoring the case of single-byte letters). A heading without a definition row gets
// category "未定義" and no flags.
std::vector<FieldColumn> FieldColumnsFor(DatabaseKind kind, const std::vector<VornString>& headings,
                                         const DefinitionRows& definition);

// Counter (Mdb), serial (Postgres), timestamp or ...IDENTITY... (the other kinds).
bool IsAutomaticType(DatabaseKind kind, const char* typeName);

// The name in the kind's quotes unless it already has them; Excel through a DSN as it is.
VornString QuoteName(const SqlDialect& dialect, const char* name);
// As QuoteName, except that Postgres names are used as they are (the header and option
// dialogs' ORDER BY and select lists).
VornString QuoteOptionName(const SqlDialect& dialect, const char* name);

// A value read from the grid, for a key condition: empty -> "NULL"; "文字列" and "日付"
// in apostrophes (apostrophes doubled), Mdb "日付" between "#"; other values as they are.
VornString KeyLiteral(const SqlDialect& dialect, const char* category, const char* value);
// A value the user typed into a condition: as KeyLiteral, except that a value already
// enclosed in apostrophes (Mdb dates: or in "#") is used as it is.
VornString TypedConditionLiteral(const SqlDialect& dialect, const char* category, const char* value);
// A field value for INSERT and UPDATE: "@expr" -> expr; empty -> "NULL"; "文字列" and
// "日付" in apostrophes (doubled inside); Oracle "日付" in TO_DATE(...,'RRRR/MM/DD HH24:MI:SS');
// other values as they are.
VornString StatementLiteral(const SqlDialect& dialect, const FieldColumn& column, const char* value);

// ---- Options --------------------------------------------------------------------------

// One row of the "条件指定" dialog.
struct ConditionRow {
    VornString name;
    VornString category;
    VornString op;      // empty: the row takes no part
    VornString value;
};
// The WHERE text: the rows with an operator joined by "and ", each ending in a space.
VornString ConditionWhere(const SqlDialect& dialect, const std::vector<ConditionRow>& rows);

struct SortRow {
    VornString name;
    bool descending = false;
};
// The ORDER BY text: the names (QuoteOptionName) joined by ",", " desc" where chosen.
VornString SortOrderBy(const SqlDialect& dialect, const std::vector<SortRow>& rows);
// The ORDER BY of a header double-click.
VornString HeaderOrderBy(const SqlDialect& dialect, const char* heading, bool descending);

// The select list of "カラム表示": "*" when every column is checked, else the checked
// names (QuoteOptionName) joined by ","; empty when none is checked.
VornString ColumnSelectList(const SqlDialect& dialect, const std::vector<VornString>& names,
                            const std::vector<bool>& checked);

// The table has a key when the select list is "*" and a key column exists, or when every
// key column is in the select list (names compared without their quotes).
bool TableHasKey(const SqlDialect& dialect, const char* selectList, const std::vector<VornString>& keyNames);

// ---- Row statements -------------------------------------------------------------------

// The key condition of a row: name = KeyLiteral for each key column, joined by " and "
// (an empty key value gives "= NULL"); empty when no column is a key.
VornString KeyCondition(const SqlDialect& dialect, const std::vector<FieldColumn>& columns,
                        const std::vector<VornString>& values);

// In the statements below the table is the data view's table name, already quoted by the
// name rule (it is used as it is); values[i] belongs to columns[i] (missing values: empty).
// "insert into T (a,b) values(1,'x')" over the non-automatic, non-binary fields; empty
// when no field can be written.
VornString InsertStatement(const SqlDialect& dialect, const char* table, const std::vector<FieldColumn>& columns,
                           const std::vector<VornString>& values);
// "update T set a = 1,b = 'x' where k = 1 and ..." (set list: the non-automatic,
// non-binary fields); empty when no column is a key, so a row is never written through a
// guessed condition, and empty when no field can be written.
VornString UpdateStatement(const SqlDialect& dialect, const char* table, const std::vector<FieldColumn>& columns,
                           const std::vector<VornString>& values);
// "delete from T where k = 1 and ..."; empty without key columns.
VornString DeleteStatement(const SqlDialect& dialect, const char* table, const std::vector<FieldColumn>& columns,
                           const std::vector<VornString>& values);
// "delete from T" (Excel, Mdb) or "truncate table T".
VornString ClearTableStatement(DatabaseKind kind, const char* table);

// One statement as a line of the update-SQL file: CR removed, LF written as the two
// characters "\n", ";" appended when asked, then a line feed.
void AppendUpdateSqlLine(VornString& file, const char* statement, bool semicolon);

// ---- Clipboard ------------------------------------------------------------------------

// The clipboard text as new rows: "\n" dropped, lines at "\r", fields at TAB, empty
// lines skipped, each row cut to fieldCount fields.
std::vector<std::vector<VornString>> ClipboardRows(const char* text, size_t fieldCount);

}  // namespace dataview
