// The text rules of the library's string, number and list members, without COM: what a
// script passes and gets back, as code page 932 text.
#pragma once

#include <initializer_list>
#include <vector>

#include "VornString.h"

namespace vorn {

// Tests on single- and double-byte characters.
bool IsDigitsOnly(const char* text);
bool IsNumericText(const char* text);
bool IsAllDoubleByte(const char* text);
bool HasNoDoubleByte(const char* text);
bool IsInGroup(const char* text, const char* group);
// Year/month/day of a "y/m/d" text that the platform's DOS-date conversion accepts; false
// when it is not such a date. The conversion itself is passed in, so the rule stays
// window-free.
typedef bool (*DosDateCheck)(unsigned short dosDate);
bool ReadDate(const char* text, DosDateCheck check, int& year, int& month, int& day);
long DaySerial(int year, int month, int day);
// Decimal digits up to the first non-digit, or hexadecimal after "0x".
long HexOrDecimal(const char* text);
// True when text equals an item of the comma list; empty items are skipped.
bool IsCaseOf(const char* text, const char* commaList, bool ignoreCase);
void ZeroFill(VornString& text, long width);
void RemoveLeadingBytes(VornString& text, long count);
void RemoveTrailingBytes(VornString& text, long count);
// Encloses in open/close unless already so enclosed; removes them when both are there.
void EncloseIn(VornString& text, char open, char close);
void RemoveEnclosing(VornString& text, char open, char close);
// The fields between single-byte separators, empty ones kept ("1||x" is three fields); a
// separator byte inside a double-byte character is no boundary.
std::vector<VornString> SplitKeepingEmpty(const char* text, char separator);

// A list text of rows and delimited fields (every "\r" removed, rows at "\n", empty rows
// left out), as the list members read it.
class ListTable {
public:
    ListTable(const char* text, char delimiter);
    // An empty table with titled columns, filled row by row (the list-text members).
    explicit ListTable(std::initializer_list<const char*> titles);
    void AddRow(std::initializer_list<const char*> cells);
    // The same for columns known only at run time (a query's fields).
    ListTable() = default;
    void AddColumn(const char* title);
    void AddCells(std::vector<VornString> cells);
    // The column titles, then the rows, tab-separated.
    void ExportWithHeader(bool crLf, VornString& out) const;
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return columns_; }
    // Rows before first are dropped.
    void DropLeading(int first);
    void SortBy(int column, bool descending);
    void DeleteRow(int row);
    // Tab-separated rows without a header, "\n" or "\r\n" line ends.
    void Export(bool crLf, VornString& out) const;
    void RowText(int row, VornString& out) const;
    const VornString* Cell(int row, int column) const;

private:
    std::vector<std::vector<VornString>> rows_;
    int columns_ = 0;
    std::vector<VornString> titles_;
};

// The rows of a tab-separated list as an HTML table.
void HtmlTable(const char* list, bool head, const char* table, const char* th, const char* tr, const char* td,
               VornString& out);

}  // namespace vorn
