#include "ScriptedBackend.h"

#include "AdoConstants.h"
#include "OdbcTypeMap.h"

#include <cstring>

using namespace ado;

namespace {

VARTYPE VariantTypeOf(long adoType)
{
    switch (adoType) {
    case adSmallInt: return VT_I2;
    case adInteger: return VT_I4;
    case adSingle: return VT_R4;
    case adDouble: return VT_R8;
    case adCurrency: return VT_CY;
    case adBoolean: return VT_BOOL;
    case adTinyInt: return VT_I1;
    case adUnsignedTinyInt: return VT_UI1;
    case adUnsignedSmallInt: return VT_UI2;
    case adUnsignedInt: return VT_UI4;
    case adBigInt: return VT_I8;
    case adUnsignedBigInt: return VT_UI8;
    case adNumeric:
    case adDecimal: return VT_DECIMAL;
    case adDate:
    case adDBDate:
    case adDBTime:
    case adDBTimeStamp: return VT_DATE;
    default: return VT_BSTR;
    }
}

const HRESULT kScriptedFailure = 0x80004005;

}  // namespace

ScriptedRowset& ScriptedRowset::Column(const char* name, long adoType, long definedSize, long attributes)
{
    ColumnInfo info;
    info.name = name;
    info.type = adoType;
    info.definedSize = odbcmap::DefinedSizeFor(adoType, definedSize);
    info.precision = odbcmap::PrecisionFor(adoType, definedSize);
    info.numericScale = odbcmap::NumericScaleFor(adoType, 0);
    info.attributes = attributes;
    columns_.push_back(info);
    return *this;
}

ScriptedRowset& ScriptedRowset::Row(std::vector<const char*> values)
{
    VariantRow row;
    for (size_t i = 0; i < columns_.size(); ++i) {
        const char* text = i < values.size() ? values[i] : nullptr;
        if (!text) {
            row.push_back(Variant::Null());
            continue;
        }
        Variant value = Variant::Text(text);
        VARTYPE target = VariantTypeOf(columns_[i].type);
        if (odbcmap::IsBinaryType(columns_[i].type)) {
            value = Variant::Bytes(text, strlen(text));
        } else if (target != VT_BSTR) {
            Variant converted;
            // Canned numbers and dates are written the C way: read them with the en-US rules.
            if (SUCCEEDED(VariantChangeTypeEx(&converted.Get(), &value.Get(), 0x409, 0, target)))
                value = std::move(converted);
        }
        row.push_back(std::move(value));
    }
    rows_.push_back(std::move(row));
    return *this;
}

ScriptedRowset& ScriptedRowset::RowOfValues(VariantRow values)
{
    values.resize(columns_.size());
    rows_.push_back(std::move(values));
    return *this;
}

std::unique_ptr<RowSource> ScriptedRowset::Make() const
{
    return std::make_unique<MemoryRowSource>(columns_, rows_);
}

void ScriptedBackend::AddRowset(const char* statement, ScriptedRowset rowset)
{
    rowsets_[statement] = std::move(rowset);
}

void ScriptedBackend::AddSchemaRowset(long schema, std::vector<const char*> restrictions, ScriptedRowset rowset)
{
    std::vector<std::string> texts;
    for (const char* text : restrictions)
        texts.push_back(text ? text : "");
    schemaRowsets_[SchemaKey(schema, texts)] = std::move(rowset);
}

void ScriptedBackend::FailStatement(const char* statement, const char* errorText)
{
    failures_[statement] = errorText;
}

std::string ScriptedBackend::SchemaKey(long schema, const std::vector<std::string>& restrictions)
{
    size_t used = restrictions.size();
    while (used > 0 && restrictions[used - 1].empty())
        --used;
    std::string key = "SCHEMA " + std::to_string(schema) + " (";
    for (size_t i = 0; i < used; ++i) {
        if (i) key += ",";
        key += restrictions[i];
    }
    return key + ")";
}

HRESULT ScriptedBackend::Open(const char* connectionString, ErrorList& errors)
{
    log_.push_back(std::string("OPEN ") + (connectionString ? connectionString : ""));
    if (!openError_.empty()) {
        errors.Add(openError_.c_str());
        return kScriptedFailure;
    }
    open_ = true;
    return S_OK;
}

void ScriptedBackend::Close()
{
    log_.push_back("CLOSE");
    open_ = false;
}

HRESULT ScriptedBackend::Execute(const char* text, bool wantRows, std::unique_ptr<RowSource>& rows, long* affected,
                                 ErrorList& errors)
{
    std::string statement = text ? text : "";
    statements_.push_back(statement);
    log_.push_back("SQL " + statement);
    auto failure = failures_.find(statement);
    if (failure != failures_.end()) {
        errors.Add(failure->second.c_str());
        return kScriptedFailure;
    }
    auto rowset = rowsets_.find(statement);
    if (affected)
        *affected = rowset == rowsets_.end() ? 0 : -1;
    if (rowset != rowsets_.end() && wantRows)
        rows = rowset->second.Make();
    return S_OK;
}

namespace {
class ScriptedPrepared : public PreparedStatement {
public:
    ScriptedPrepared(ScriptedBackend& backend, std::string text) : backend_(backend), text_(std::move(text)) {}
    HRESULT Execute(std::unique_ptr<RowSource>& rows, long* affected, ErrorList& errors) override
    {
        return backend_.Execute(text_.c_str(), true, rows, affected, errors);
    }

private:
    ScriptedBackend& backend_;
    std::string text_;
};
}  // namespace

HRESULT ScriptedBackend::Prepare(const char* text, std::unique_ptr<PreparedStatement>& statement, ErrorList&)
{
    log_.push_back(std::string("PREPARE ") + (text ? text : ""));
    statement = std::make_unique<ScriptedPrepared>(*this, text ? text : "");
    return S_OK;
}

HRESULT ScriptedBackend::BeginTrans(ErrorList&)
{
    log_.push_back("BEGIN");
    return S_OK;
}

HRESULT ScriptedBackend::CommitTrans(ErrorList&)
{
    log_.push_back("COMMIT");
    return S_OK;
}

HRESULT ScriptedBackend::RollbackTrans(ErrorList&)
{
    log_.push_back("ROLLBACK");
    return S_OK;
}

HRESULT ScriptedBackend::OpenSchema(long schema, const std::vector<Variant>& restrictions,
                                    std::unique_ptr<RowSource>& rows, ErrorList& errors)
{
    std::vector<std::string> texts;
    for (const Variant& value : restrictions)
        texts.push_back(value.IsEmpty() || value.IsNull() ? std::string() : std::string(value.ToText().data()));
    std::string key = SchemaKey(schema, texts);
    log_.push_back(key);
    auto rowset = schemaRowsets_.find(key);
    if (rowset == schemaRowsets_.end()) {
        errors.Add(("ScriptedBackend: no rowset for " + key).c_str());
        return kScriptedFailure;
    }
    rows = rowset->second.Make();
    return S_OK;
}
