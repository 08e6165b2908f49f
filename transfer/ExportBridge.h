// The export's bridge between two databases, in the place of the Jet engine the program's
// own database file would need: a Backend that takes exactly the two statements of
// transfer/ExportStatement.h, opens the connections their external references name, reads
// the source rows through a forward-only cursor and writes them on the destination in
// batches. The select-into form creates the destination table first, in the destination's
// own types. Failures carry the failing connection's own text.
#pragma once

#include "db/AdoBackend.h"
#include "db/DatabaseKind.h"
#include "db/DefinitionList.h"

class DbLink;
class FieldList;

class ExportBridge : public Backend {
public:
    // The kinds the references stand for: a DSN reference does not tell MySql, Oracle and
    // Postgres apart.
    ExportBridge(DatabaseKind sourceKind, DatabaseKind destinationKind)
        : sourceKind_(sourceKind), destinationKind_(destinationKind) {}

    // Rows per statement where the destination takes several rows in one INSERT.
    int batchRows = 500;
    // Rows per transaction on the destination.
    int commitRows = 10000;

    // Takes only the program's own database string (OwnDatabaseConnectionString).
    HRESULT Open(const char* connectionString, ErrorList& errors) override;
    void Close() override { open_ = false; }
    HRESULT Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows, long* affected,
                    ErrorList& errors) override;
    HRESULT Prepare(const char* text, std::unique_ptr<PreparedStatement>& statement, ErrorList& errors) override;
    HRESULT BeginTrans(ErrorList&) override { return S_OK; }
    HRESULT CommitTrans(ErrorList&) override { return S_OK; }
    HRESULT RollbackTrans(ErrorList&) override { return S_OK; }
    HRESULT OpenSchema(long schema, const std::vector<Variant>& restrictions, std::unique_ptr<RowSource>& rows,
                       ErrorList& errors) override;

private:
    DatabaseKind sourceKind_;
    DatabaseKind destinationKind_;
    bool open_ = false;
};

// The text of a destination table that already exists, which the execute-and-classify
// operation tolerates for the kind: Jet's own wording for the file kinds, and behind the
// ODBC call's failure for the server kinds.
VornString ExistingTableText(DatabaseKind destination, const char* table);

// A result's fields as a definition list for the destination: ADO types the type mapping
// has no group for are folded into the nearest group first, binary columns take the
// destination's binary type, and date-times keep their time on Postgres.
DefinitionRows BridgeDefinition(const FieldList& fields, DatabaseKind destination);

// Opens link.exportConnection on a bridge for the two kinds with the program's own
// database string; false (link.ErrorText set) when that cannot be done.
bool OpenExportBridge(DbLink& link, const char* programFolder, DatabaseKind sourceKind,
                      DatabaseKind destinationKind);
