// The database link of the main window, extended with the schema browser: the table list
// of each kind, row counts on request and name quoting for the current kind.
#pragma once

#include "../db/DbLink.h"
#include "DefinitionRules.h"
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

    int shownTableIndex = -1;  // the table-list row whose definition is shown

    // The data view's query options live in selectList, whereText and orderText; while
    // they are cleared for a moment these keep the ones to restore.
    struct QueryOptions {
        VornString selectList, whereText, orderText;
    };
    QueryOptions savedOptions;
    bool optionsCleared = false;
    // The open data view, which the main window hands F5 and the keys of its grids to.
    HWND dataView = nullptr;
    // Reads the definition of tableName into list (tableSchema: column 3 of the table's
    // row, which decides how a Postgres table is read). The number of columns read, or -1
    // when nothing could be read (readFailed set; a box for the failures a user must see).
    int ShowDefinition(GridView& list, int tableListIndex, const char* tableSchema);
    // Empties a prepared definition list, or clears it and gives it the 13 headings.
    static void PrepareDefinitionList(GridView& list);

private:
    void PrepareList(GridView& list);
    void ShowList(GridView& list, const TableListRows& rows);
    // The records of a statement, or of OpenSchema for the tables when statement is null,
    // on the open connection. False on failure, with failureText set.
    bool ReadRecords(const char* statement, const std::function<void(const CatalogRow&)>& add);
    // fields: the names to keep (ignoring case); null keeps every field.
    HRESULT QueryRecords(const char* statement, CatalogRows& records,
                         const std::vector<const char*>* fields = nullptr);
    HRESULT SchemaRecords(long schema, const std::vector<VornString>& restrictions, const char* sort,
                          CatalogRows& records);
    HRESULT QueryFields(const char* statement, FieldDescriptions& fields);
    bool GenericRead(DefinitionRows& rows, GridView& list);
    using CatalogApply = void (*)(DefinitionRows&, const CatalogRows&);
    // A kind's own catalog: a statement that corrects the columns, then one for the keys.
    HRESULT RefineFromCatalog(DefinitionRows& rows, const char* columnsStatement, CatalogApply applyColumns,
                              const char* keysStatement, CatalogApply applyKeys);
    bool RunDefinitionStep(DefinitionStep step, DefinitionRows& rows, GridView& list, const char* tableSchema);
    void Fail(HRESULT result);
};

// A recordset's current record as the schema rules read it; with kept, only the fields
// whose flag is set.
CatalogRow CurrentRecord(Recordset& rows, const std::vector<bool>* kept = nullptr);
