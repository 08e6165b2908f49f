// The database link of the main window, extended with the schema browser: the table list
// of each kind, row counts on request and name quoting for the current kind.
#pragma once

#include "../db/DbLink.h"
#include "TableListRules.h"

class GridView;

class SchemaBrowser : public DbLink {
public:
    VornString typeFilter;     // when not empty, only objects of exactly this type are listed
    bool readFailed = false;   // set by a failed table-list load or definition read
    TypesSeen typesSeen;       // types met while loading without a filter
    VornString failureText;    // the message of the last failed read
    // An Excel workbook reached through another DSN takes names as they are.
    bool excelThroughDsn = false;

    // Replaces the list with the objects of the current kind's database; the number of
    // listed rows, or -1 (the list then shows what was read before the failure).
    int LoadTableList(GridView& list);
    // For every selected row: "select count(*)" into scratch, the count into column 5.
    // The number of rows counted.
    int CountRows(GridView& list, GridView& scratch);
    VornString EncloseName(const char* name) const;

private:
    void PrepareList(GridView& list);
    void ShowList(GridView& list, const TableListRows& rows);
    // Runs the statement (or, when null, OpenSchema for the tables) and hands every record
    // to add. False on failure, with failureText set.
    bool ReadRecords(const char* statement, const std::function<void(const CatalogRow&)>& add);
    void Fail(HRESULT result);
};

// A recordset's current record as the schema rules read it.
CatalogRow CurrentRecord(Recordset& rows);
