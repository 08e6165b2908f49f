#include "ExportBridge.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "InsertStatementText.h"
#include "VariantText.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/ConnectionRecord.h"
#include "db/DbLink.h"
#include "db/TypeCatalogue.h"
#include "schema/NameQuoting.h"
#include "transfer/ExportRules.h"
#include "transfer/ExportStatement.h"
#include "transfer/ExternalReferenceText.h"

namespace {

const HRESULT kBridgeFailure = 0x80004005;
const char kOwnDatabaseTail[] = "Kestrova.mdb;Jet OLEDB:Database Password=FernoQuilt;";
const char kUnknownStatement[] = "エクスポートの文として読めません: ";
const char kUnknownReference[] = "外部データベースの指定を読めません: ";

HRESULT Fail(ErrorList& errors, const char* text, const char* detail = "")
{
    VornString message(text);
    message.Append(detail);
    errors.Add(message);
    return kBridgeFailure;
}

HRESULT FailWith(ErrorList& errors, const ErrorList& cause, HRESULT result)
{
    for (long i = 0; i < cause.Count(); ++i)
        errors.Add(cause.Item(i)->Description(), cause.Item(i)->SQLState(), cause.Item(i)->NativeError());
    if (errors.Count() == 0)
        errors.Add(SystemMessageText(result));
    return FAILED(result) ? result : kBridgeFailure;
}

bool TakesManyRows(DatabaseKind kind)
{
    return kind == DatabaseKind::MySql || kind == DatabaseKind::Postgres || kind == DatabaseKind::SqlServer;
}

const char* BinaryTypeName(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Mdb: return "LONGBINARY";
    case DatabaseKind::SqlServer: return "IMAGE";
    case DatabaseKind::MySql: return "longblob";
    case DatabaseKind::Oracle: return "BLOB";
    case DatabaseKind::Postgres: return "bytea";
    default: return "VARCHAR";
    }
}

bool IsBinaryType(long type) { return type == 128 || type == 204 || type == 205; }

// A byte array as the destination's binary constant; Excel keeps none.
VornString BinaryLiteral(DatabaseKind kind, const VARIANT& value)
{
    if (kind == DatabaseKind::Excel)
        return VornString("NULL");
    const unsigned char* bytes = nullptr;
    long count = 0;
    if (value.vt == (VT_ARRAY | VT_UI1) && value.parray) {
        count = static_cast<long>(value.parray->rgsabound[0].cElements);
        SafeArrayAccessData(value.parray, reinterpret_cast<void**>(const_cast<unsigned char**>(&bytes)));
    }
    VornString hex;
    char pair[3];
    for (long i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        hex.Append(pair, 2);
    }
    if (bytes)
        SafeArrayUnaccessData(value.parray);
    VornString literal;
    switch (kind) {
    case DatabaseKind::Postgres: literal.Format("decode('%s','hex')", hex.Text()); break;
    case DatabaseKind::MySql: literal.Format("X'%s'", hex.Text()); break;
    case DatabaseKind::Oracle: literal.Format("HEXTORAW('%s')", hex.Text()); break;
    default: literal.Format("0x%s", hex.Text()); break;
    }
    return literal;
}

struct CopiedField {
    long index;
    bool textColumn;
    bool binary;
};

// Writes the rows of an open recordset on the destination: several rows per INSERT where
// the kind takes them, in transactions of commitRows rows.
class RowCopy {
public:
    RowCopy(Connection& destination, DatabaseKind kind, const char* target, FieldList& fields, int batchRows,
            int commitRows)
        : destination_(destination), kind_(kind), fields_(fields),
          batchRows_(TakesManyRows(kind) && batchRows > 1 ? batchRows : 1), commitRows_(commitRows)
    {
        std::vector<transfer::InsertColumn> columns;
        for (long i = 0; i < fields.Count(); ++i) {
            const Field* field = fields.Item(i);
            transfer::InsertColumn column;
            column.name = EncloseName(kind, field->Name());
            char type[16];
            std::snprintf(type, sizeof type, "%ld", field->Type());
            column.category = LiteralCategory(type);
            copied_.push_back({i, column.category.Equals("文字列"), IsBinaryType(field->Type())});
            columns.push_back(std::move(column));
        }
        builder_ = std::make_unique<transfer::InsertLineBuilder>(kind, EncloseName(kind, target), std::move(columns));
    }

    // The rows copied, or -1 with the failing connection's errors in errors.
    long Run(Recordset& rows, ErrorList& errors)
    {
        HRESULT result = destination_.BeginTrans();
        inTransaction_ = SUCCEEDED(result);
        while (!rows.Eof()) {
            AddRow();
            if (pendingRows_ >= batchRows_ && !Flush(errors))
                return -1;
            if (FAILED(rows.MoveNext()))
                break;
        }
        if (rows.ActiveConnection() && rows.ActiveConnection()->Errors().Count() > 0) {
            Abandon();
            FailWith(errors, rows.ActiveConnection()->Errors(), kBridgeFailure);
            return -1;
        }
        if (!Flush(errors))
            return -1;
        if (inTransaction_ && FAILED(result = destination_.CommitTrans())) {
            FailWith(errors, destination_.Errors(), result);
            return -1;
        }
        return copied_rows_;
    }

private:
    void AddRow()
    {
        builder_->BeginRow();
        for (const CopiedField& column : copied_) {
            const VARIANT& value = fields_.Item(column.index)->Value();
            if (column.binary && value.vt != VT_NULL && value.vt != VT_EMPTY) {
                builder_->AddLiteral(BinaryLiteral(kind_, value));
                continue;
            }
            transfer::InsertValueKind valueKind = InsertValueKindOf(speller_.Spell(value));
            if (valueKind == transfer::InsertValueKind::Text && speller_.Length() == 0 && !column.textColumn)
                valueKind = transfer::InsertValueKind::Null;
            builder_->AddValue(valueKind, speller_.Text(), speller_.Length());
        }
        const VornString& line = builder_->EndRow();
        const size_t prefix = builder_->PrefixLength();
        // The line without its ";\n": "insert into T (..) values(v,..)"; further rows add
        // ",(v,..)".
        if (pendingRows_ == 0) {
            statement_.Assign(line.Text(), line.Length() - 2);
        } else {
            statement_.Append(",(");
            statement_.Append(line.Text() + prefix, line.Length() - prefix - 2);
        }
        ++pendingRows_;
    }

    bool Flush(ErrorList& errors)
    {
        if (pendingRows_ == 0)
            return true;
        HRESULT result = destination_.Execute(statement_, nullptr, ado::adExecuteNoRecords);
        if (FAILED(result)) {
            ErrorList cause = destination_.Errors();
            Abandon();
            FailWith(errors, cause, result);
            return false;
        }
        copied_rows_ += pendingRows_;
        sinceCommit_ += pendingRows_;
        pendingRows_ = 0;
        if (inTransaction_ && sinceCommit_ >= commitRows_) {
            sinceCommit_ = 0;
            if (FAILED(result = destination_.CommitTrans())) {
                FailWith(errors, destination_.Errors(), result);
                inTransaction_ = false;
                return false;
            }
            inTransaction_ = SUCCEEDED(destination_.BeginTrans());
        }
        return true;
    }

    void Abandon()
    {
        if (inTransaction_)
            destination_.RollbackTrans();
        inTransaction_ = false;
    }

    Connection& destination_;
    DatabaseKind kind_;
    FieldList& fields_;
    int batchRows_;
    int commitRows_;
    std::vector<CopiedField> copied_;
    std::unique_ptr<transfer::InsertLineBuilder> builder_;
    VariantSpeller speller_;
    VornString statement_;
    long pendingRows_ = 0;
    long copied_rows_ = 0;
    long sinceCommit_ = 0;
    bool inTransaction_ = false;
};

bool OpenSide(Connection& connection, const char* reference, DatabaseKind kind, ErrorList& errors, HRESULT& result)
{
    transfer::ParsedReference parsed = transfer::ParseExternalReference(reference);
    VornString connectionString = transfer::ReferenceConnectionString(parsed, kind);
    if (connectionString.IsEmpty()) {
        result = Fail(errors, kUnknownReference, reference);
        return false;
    }
    connection.SetCursorLocation(ado::adUseServer);
    result = connection.Open(connectionString);
    if (FAILED(result)) {
        result = FailWith(errors, connection.Errors(), result);
        return false;
    }
    return true;
}

// The select-into form's table; when it cannot be created and a statement on it still
// works, it was there already.
HRESULT CreateTarget(Connection& destination, DatabaseKind kind, const char* target, const FieldList& fields,
                     ErrorList& errors)
{
    VornString create = transfer::ExportCreateTable(kind, target, BridgeDefinition(fields, kind), false);
    HRESULT result = destination.Execute(create, nullptr, ado::adExecuteNoRecords);
    if (SUCCEEDED(result))
        return S_OK;
    ErrorList cause = destination.Errors();
    VornString probe("select * from ");
    probe.Append(EncloseName(kind, target));
    probe.Append(" where 1=0");
    if (SUCCEEDED(destination.Execute(probe, nullptr, ado::adExecuteNoRecords)))
        return Fail(errors, ExistingTableText(kind, target));
    return FailWith(errors, cause, result);
}

}  // namespace

VornString ExistingTableText(DatabaseKind destination, const char* table)
{
    VornString text;
    if (transfer::IsFileDestination(destination))
        text.Format("テーブル '%s' は既に存在します。", table);
    else
        text.Format("ODBC--呼び出しが失敗しました。 テーブル '%s' は既に存在します。", table);
    return text;
}

DefinitionRows BridgeDefinition(const FieldList& fields, DatabaseKind destination)
{
    DefinitionRows rows;
    std::vector<bool> binary;
    for (long i = 0; i < fields.Count(); ++i) {
        const Field* field = fields.Item(i);
        DefinitionRow row = EmptyDefinitionRow();
        long type = field->Type();
        long size = field->DefinedSize();
        int precision = field->Precision();
        int scale = field->NumericScale();
        switch (type) {
        case 200: case 201: type = 129; break;
        case 202: case 203: type = 130; break;
        case 72: type = 129; size = 38; break;
        case 18: type = 3; break;
        case 19: type = 20; break;
        case 21: type = 131; precision = 20; scale = 0; break;
        case 14: case 139: type = 131; break;
        case 64: type = 135; break;
        default: break;
        }
        row[kDefName] = field->Name();
        row[kDefAdoType].Format("%ld", type);
        if (size > 0 && size < 0x7fffffff)
            row[kDefSize].Format("%ld", size);
        // 255 is the layer's "not reported"; such a column takes the type's own default.
        if (type == 131 && precision > 0 && precision < 255) {
            row[kDefPrecision].Format("%d", precision);
            row[kDefScale].Format("%d", scale < 255 ? scale : 0);
        }
        binary.push_back(IsBinaryType(type));
        rows.push_back(row);
    }
    // Mapped as from another kind: the rows carry ADO types, not a kind's own names.
    DefinitionRows mapped = MapDefinitionsForExport(rows, DatabaseKind::None, destination);
    for (size_t i = 0; i < mapped.size(); ++i) {
        DefinitionRow& row = mapped[i];
        if (binary[i]) {
            row[kDefTypeName] = BinaryTypeName(destination);
            row[kDefSize].Clear();
        }
        if (destination == DatabaseKind::Postgres && row[kDefAdoType].IsMemberOf("7,135"))
            row[kDefTypeName] = "timestamp";
    }
    return mapped;
}

HRESULT ExportBridge::Open(const char* connectionString, ErrorList& errors)
{
    VornString text(connectionString ? connectionString : "");
    const size_t tail = sizeof kOwnDatabaseTail - 1;
    if (!text.StartsWith("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") || text.Length() < tail ||
        !VornString(text.Text() + text.Length() - tail).Equals(kOwnDatabaseTail))
        return Fail(errors, transfer::kExportBridgeUnavailable);
    open_ = true;
    return S_OK;
}

HRESULT ExportBridge::Execute(const char* text, bool, std::unique_ptr<RowSource>&, long* affected, ErrorList& errors)
{
    if (affected)
        *affected = 0;
    transfer::ExportStatement statement;
    if (!transfer::ParseExportStatement(text, statement))
        return Fail(errors, kUnknownStatement, text);
    HRESULT result = S_OK;
    Connection source;
    Connection destination;
    if (!OpenSide(source, statement.sourceReference, sourceKind_, errors, result) ||
        !OpenSide(destination, statement.destinationReference, destinationKind_, errors, result))
        return result;

    VornString select("select ");
    select.Append(statement.columns);
    select.Append(" from ");
    select.Append(EncloseName(sourceKind_, statement.sourceTable));
    if (!statement.condition.IsEmpty()) {
        select.Append(" where ");
        select.Append(statement.condition);
    }
    if (!statement.order.IsEmpty()) {
        select.Append(" order by ");
        select.Append(statement.order);
    }
    Recordset rows;
    result = rows.Open(select, &source, ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdText);
    if (FAILED(result))
        return FailWith(errors, source.Errors(), result);
    if (rows.State() != ado::adStateOpen)
        return Fail(errors, kUnknownStatement, select);
    if (statement.form == transfer::ExportForm::SelectInto &&
        FAILED(result = CreateTarget(destination, destinationKind_, statement.target, rows.Fields(), errors)))
        return result;
    RowCopy copy(destination, destinationKind_, statement.target, rows.Fields(), batchRows, commitRows);
    long copied = copy.Run(rows, errors);
    if (copied < 0)
        return kBridgeFailure;
    if (affected)
        *affected = copied;
    return S_OK;
}

HRESULT ExportBridge::Prepare(const char* text, std::unique_ptr<PreparedStatement>&, ErrorList& errors)
{
    return Fail(errors, kUnknownStatement, text);
}

HRESULT ExportBridge::OpenSchema(long, const std::vector<Variant>&, std::unique_ptr<RowSource>&, ErrorList& errors)
{
    return Fail(errors, kUnknownStatement, "OpenSchema");
}

bool OpenExportBridge(DbLink& link, const char* programFolder, DatabaseKind sourceKind,
                      DatabaseKind destinationKind)
{
    link.exportConnection = std::make_unique<Connection>();
    link.exportConnection->SetBackend(std::make_shared<ExportBridge>(sourceKind, destinationKind));
    if (FAILED(link.exportConnection->Open(OwnDatabaseConnectionString(programFolder)))) {
        link.ErrorText = transfer::kExportBridgeUnavailable;
        link.exportConnection.reset();
        return false;
    }
    return true;
}
