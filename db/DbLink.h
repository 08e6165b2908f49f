// The program's one gateway to the database: connection, recordsets and connection string
// of the current ConnectionRecord; statements, fills of list-view grids and the statement
// batch. No connection stays open between operations: each one opens, works and closes.
// Nothing throws; operations return their status and keep the message in ErrorText.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "../common/TokenList.h"
#include "../common/VornString.h"
#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "ConnectionRecord.h"
#include "DefinitionList.h"

class GridView;
class StatusBar;

// How the fills write 2- and 4-byte integers: the result list and the batch with
// "%d"/"%ld", the data grid through the general variant conversion.
enum class ValueTextMode { General, IntegersByFormat };

// The value-to-text rule of every fill: "" for empty and null, the integers as the mode
// says, the scalar types through VariantChangeType (user default locale) in the ANSI code
// page, "???" for everything else (byte arrays, objects).
VornString ValueToText(const VARIANT& value, ValueTextMode mode);

// The system's message for a failure code without its line break; "IDispatch error #%d" or
// "Unknown error 0x%0lX" when the system has none.
VornString SystemMessageText(HRESULT code);

class DbLink {
public:
    DbLink();
    virtual ~DbLink();
    DbLink(const DbLink&) = delete;
    DbLink& operator=(const DbLink&) = delete;

    long RowLimit = 50;        // the most rows any fill puts into a grid
    long recordCount = 0;      // RecordCount of the last fill
    // Off for a caller that never shows recordCount (the fill then leaves it -1): beyond the
    // row limit, counting runs the whole query once more on the server.
    bool countRecords = true;
    // The export's destination (opened by its caller); ExecuteAndClassify runs on it.
    std::unique_ptr<Connection> exportConnection;
    // Created on first use and kept; open only during one operation.
    std::unique_ptr<Connection> connection;
    std::unique_ptr<Recordset> recordset;
    std::unique_ptr<Recordset> schemaRecordset;
    // kind, filePath, server, database, user, password, jetPassword, noHeader, hideSheets,
    // the flags of the table lists and the connection string.
    ConnectionRecord record;
    TokenList connectParts;    // the ConnectArgument cut at ","
    VornString ErrorText;
    VornString sqlText;        // the scratch statement; the fills build a SELECT when empty
    VornString selectList;
    VornString tableName;
    VornString whereText;
    VornString orderText;
    VornString typeText;       // output slot of the type catalogue look-ups

    // The current column-definition list, for the MySQL rule of the data grid (a binary
    // column needs server cursors): either the grid itself, whose third column holds the
    // ADO type numbers, or the same rows without a window. Not owned; either may be null.
    const GridView* definitionList = nullptr;
    const DefinitionRows* definitionRows = nullptr;

    // Where the fills report failures; empty means the program's message box. Tests
    // capture the text instead of blocking on a box.
    using MessageSink = std::function<void(HWND owner, const char* text)>;
    MessageSink messageSink;
    // Shows a failure to the user through messageSink, or the program's message box.
    void ShowMessage(HWND owner, const char* text) const;
    using StatusSink = std::function<void(const char* text)>;

    DatabaseKind Kind() const { return record.kind; }
    // Sets kind, the record's fields, the connection string and connectParts; an unknown
    // kind changes nothing (false).
    bool BuildConnection(DatabaseKind kind, const char* argument);

    // 1 / 0. The errors of a failed open are left in ErrorText.
    int OpenConnection();
    // 1, or 0 when there is no connection object.
    int CloseConnection();
    // On the connection the caller opened: trims " " and "　" from text in place, then
    // runs it without records. 1 / 0.
    int ExecuteText(VornString& text);
    // Opens, runs sqlText without records, closes: 0, -1 when sqlText is empty after
    // trimming, -2 on failure.
    int ExecuteSqlText();
    // On the open exportConnection: 0 success, 1 a failure the kind tolerates, 2 failure.
    int ExecuteAndClassify(const char* statement, DatabaseKind kind);

    // Rows put in the grid; -99 when the statement returned no rows (grid untouched);
    // -1 on failure (ErrorText + "\n" + sqlText, shown in a box owned by the grid's parent).
    // The data grid has a marker column (width 20) and a hidden column before the fields.
    int FillDataGrid(GridView& grid);
    int FillResultList(GridView& grid);
    // Connection.OpenSchema with the restrictions (empty entries mean none; null for no
    // restrictions at all), sorted when sortText is not empty. Rows, or -1.
    int FillSchemaList(GridView& grid, long schema, const std::vector<VornString>* restrictions,
                       const char* sortText);

    // Error collection: the descriptions of the connection's Errors, each followed by "\n".
    void CollectRecordsetErrors(const Recordset* rows);
    void CollectConnectionErrors(const Connection* source);

    // The CSV writer's query: 1 with recordset open on the rows, -99 when the statement
    // returned none, -1 on failure (ErrorText + "\n" + sqlText; no box, the caller shows it).
    // CloseQuery stores the record count and closes recordset and connection.
    int OpenQueryForCsv();
    void CloseQuery();

    // Runs sqlText as statements separated by ";" on one connection, writing every result
    // into list. The number of statements, or -1 when the connection cannot be opened.
    int RunBatch(GridView& list, const StatusSink& status);
    int RunBatch(GridView& list, StatusBar* status);
    int RunBatch(GridView& list, std::nullptr_t) { return RunBatch(list, static_cast<StatusBar*>(nullptr)); }

private:
    enum class Purpose { DataGrid, ResultList, CsvQuery };
    // Steps up to the opened recordset: 1, -99, or -1 with the errors collected and
    // everything closed.
    int PrepareQuery(Purpose purpose);
    int FillQuery(GridView& grid, Purpose purpose);
    // Adds up to RowLimit rows from column firstColumn on; -1 when reading failed.
    int AddRows(GridView& grid, Recordset& rows, int firstColumn, ValueTextMode mode);
    bool UsesBinaryColumns() const;
    void EnsureObjects();
    void CloseAll();
    void Report(GridView& grid);
    Connection* ActiveConnectionOf(const Recordset* rows) const;

    // ADO keeps a recordset's ActiveConnection after a failed Open; the layer forgets it,
    // so the link remembers which connection each of its recordsets was last opened on.
    Connection* recordsetConnection_ = nullptr;
    Connection* schemaConnection_ = nullptr;
};
