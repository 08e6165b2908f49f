// OpenSchema over the ODBC catalog functions: each result is read whole and reshaped
// into the OLE DB schema rowset (column names, order and types) that ADO callers read.
#include "OdbcBackend.h"

#include "../common/SjisText.h"
#include "AdoConstants.h"
#include "OdbcTypeMap.h"

#include <cstring>
#include <climits>
#include <map>
#include <set>
#include <string>

using namespace ado;

namespace {

struct Restriction {
    bool given = false;
    std::string text;    // in the driver's code page
    std::string source;  // code page 932, as given
    UINT codePage = 932;
    Variant value;  // as given, for exact comparison through Unicode
};

std::vector<Restriction> ReadRestrictions(const std::vector<Variant>& values, size_t count, UINT codePage = 932)
{
    std::vector<Restriction> out(count);
    for (size_t i = 0; i < values.size() && i < count; ++i) {
        const Variant& v = values[i];
        if (v.IsEmpty() || v.IsNull() || v.Type() == VT_ERROR)
            continue;
        out[i].given = true;
        std::string text = v.ToText().data();
        out[i].value = Variant::Text(text.c_str());
        out[i].text = odbc::ToDriver(text.c_str(), codePage);
        out[i].source = text;
        out[i].codePage = codePage;
    }
    return out;
}

std::wstring WideOf(const Variant& v)
{
    VARIANT text;
    VariantInit(&text);
    std::wstring out;
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&v.Get()), 0, VT_BSTR)) && text.bstrVal)
        out.assign(text.bstrVal, SysStringLen(text.bstrVal));
    VariantClear(&text);
    return out;
}

// Catalog patterns would let '_' and '%' match anything: escape them, stepping whole
// characters so a trail byte is never taken for one of them.
std::string EscapePattern(const Restriction& r, const std::string& escape)
{
    const std::string& text = r.source;
    if (escape.empty())
        return r.text;
    std::string out;
    for (const char* p = text.c_str(); *p;) {
        size_t n = sjis::CharLength(p);
        if (n == 1 && (*p == '_' || *p == '%' || escape.compare(0, std::string::npos, p, 1) == 0))
            out += escape;
        out.append(p, n);
        p += n;
    }
    return odbc::ToDriver(out.c_str(), r.codePage);
}

SQLCHAR* Arg(const Restriction& r, std::string& storage)
{
    if (!r.given)
        return nullptr;
    storage = r.text;
    if (storage.empty())
        storage.push_back('\0');
    return reinterpret_cast<SQLCHAR*>(&storage[0]);
}

bool Matches(const Restriction& r, const Variant& value)
{
    return !r.given || WideOf(r.value) == WideOf(value);
}

long AsLong(const Variant& v, long fallback)
{
    VARIANT n;
    VariantInit(&n);
    if (v.IsNull() || v.IsEmpty() || FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&v.Get()), 0, VT_I4)))
        return fallback;
    return n.lVal;
}

std::string AsText(const Variant& v)
{
    return v.IsNull() || v.IsEmpty() ? std::string() : std::string(v.ToText().data());
}

Variant Typed(VARTYPE type, long value)
{
    Variant v;
    v.Get().vt = type;
    switch (type) {
    case VT_UI2: v.Get().uiVal = static_cast<USHORT>(value); break;
    case VT_I2: v.Get().iVal = static_cast<SHORT>(value); break;
    case VT_UI4: v.Get().ulVal = static_cast<ULONG>(value); break;
    case VT_BOOL: v.Get().boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; break;
    default: v.Get().vt = VT_I4; v.Get().lVal = value; break;
    }
    return v;
}

Variant TypedOrNull(VARTYPE type, const Variant& source)
{
    long value = AsLong(source, LONG_MIN);
    return value == LONG_MIN ? Variant::Null() : Typed(type, value);
}

Variant Cell(const VariantRow& row, size_t odbcColumn)
{
    return odbcColumn >= 1 && odbcColumn <= row.size() ? row[odbcColumn - 1] : Variant::Null();
}

class SchemaBuilder {
public:
    void Column(const char* name, long type, long size = 0)
    {
        ColumnInfo info;
        info.name = name;
        info.type = type;
        info.definedSize = odbcmap::DefinedSizeFor(type, size ? size : 128);
        info.precision = odbcmap::PrecisionFor(type, 0);
        info.numericScale = odbcmap::NumericScaleFor(type, 0);
        info.attributes = odbcmap::FieldAttributesFor(type, odbcmap::kNullable, odbcmap::kReadOnly, false);
        columns.push_back(info);
    }
    std::vector<ColumnInfo> columns;
    std::vector<VariantRow> rows;
};

std::string SearchEscape(SQLHDBC dbc)
{
    char escape[8] = "";
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &length)))
        return std::string();
    return escape;
}

long AdoTypeOfCatalogRow(const Variant& sqlType, const Variant& typeName)
{
    std::string name = AsText(typeName);
    bool money = sjis::CompareIgnoreCase(name.c_str(), "money") == 0 ||
                 sjis::CompareIgnoreCase(name.c_str(), "smallmoney") == 0;
    return odbcmap::AdoTypeFromSqlType(static_cast<int>(AsLong(sqlType, 12)), odbcmap::TypeNameSaysUnsigned(name.c_str()),
                                       money);
}

bool IsNumericAdoType(long t)
{
    return t == adTinyInt || t == adUnsignedTinyInt || t == adSmallInt || t == adUnsignedSmallInt ||
           t == adInteger || t == adUnsignedInt || t == adBigInt || t == adUnsignedBigInt || t == adSingle ||
           t == adDouble || t == adCurrency || t == adNumeric || t == adDecimal;
}

}  // namespace

HRESULT OdbcBackend::OpenSchema(long schema, const std::vector<Variant>& restrictionValues,
                                std::unique_ptr<RowSource>& rows, ErrorList& errors)
{
    if (!dbc_) {
        errors.Add("接続が閉じています");
        return E_FAIL;
    }
    auto run = [&](auto call, std::vector<VariantRow>& raw) -> bool {
        SQLHSTMT statement = NewStatement(errors);
        if (!statement)
            return false;
        odbc::StatementRows result(statement, true, codePage_);
        if (!odbc::Check(call(statement), SQL_HANDLE_STMT, statement, errors, codePage_) || !result.Describe(errors))
            return false;
        VariantRow row;
        int got;
        while ((got = result.Fetch(row, errors)) > 0)
            raw.push_back(std::move(row));
        return got == 0;
    };
    std::string escape = SearchEscape(dbc_);
    std::string a, b, c, d;
    SchemaBuilder out;
    std::vector<VariantRow> raw;

    switch (schema) {
    case adSchemaTables: {
        std::vector<Restriction> r = ReadRestrictions(restrictionValues, 4, codePage_);
        if (r[1].given) r[1].text = EscapePattern(r[1], escape);
        if (r[2].given) r[2].text = EscapePattern(r[2], escape);
        if (!run([&](SQLHSTMT s) { return SQLTables(s, Arg(r[0], a), SQL_NTS, Arg(r[1], b), SQL_NTS, Arg(r[2], c), SQL_NTS,
                                                    Arg(r[3], d), SQL_NTS); }, raw))
            return E_FAIL;
        for (const char* name : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE"})
            out.Column(name, adVarWChar);
        out.Column("TABLE_GUID", adGUID);
        out.Column("DESCRIPTION", adVarWChar);
        out.Column("TABLE_PROPID", adUnsignedInt);
        out.Column("DATE_CREATED", adDate);
        out.Column("DATE_MODIFIED", adDate);
        std::vector<Restriction> exact = ReadRestrictions(restrictionValues, 4);
        for (VariantRow& row : raw) {
            if (!Matches(exact[1], Cell(row, 2)) || !Matches(exact[2], Cell(row, 3)) || !Matches(exact[3], Cell(row, 4)))
                continue;
            out.rows.push_back({Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 4), Variant::Null(), Cell(row, 5),
                                Variant::Null(), Variant::Null(), Variant::Null()});
        }
        break;
    }
    case adSchemaColumns: {
        std::vector<Restriction> r = ReadRestrictions(restrictionValues, 4, codePage_);
        std::vector<Restriction> exact = ReadRestrictions(restrictionValues, 4);
        for (int i = 1; i <= 3; ++i)
            if (r[i].given) r[i].text = EscapePattern(r[i], escape);
        if (!run([&](SQLHSTMT s) { return SQLColumns(s, Arg(r[0], a), SQL_NTS, Arg(r[1], b), SQL_NTS, Arg(r[2], c), SQL_NTS,
                                                     Arg(r[3], d), SQL_NTS); }, raw))
            return E_FAIL;
        for (const char* name : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "COLUMN_NAME"})
            out.Column(name, adVarWChar);
        out.Column("COLUMN_GUID", adGUID);
        out.Column("COLUMN_PROPID", adUnsignedInt);
        out.Column("ORDINAL_POSITION", adUnsignedInt);
        out.Column("COLUMN_HASDEFAULT", adBoolean);
        out.Column("COLUMN_DEFAULT", adVarWChar);
        out.Column("COLUMN_FLAGS", adUnsignedInt);
        out.Column("IS_NULLABLE", adBoolean);
        out.Column("DATA_TYPE", adUnsignedSmallInt);
        out.Column("TYPE_GUID", adGUID);
        out.Column("CHARACTER_MAXIMUM_LENGTH", adUnsignedInt);
        out.Column("CHARACTER_OCTET_LENGTH", adUnsignedInt);
        out.Column("NUMERIC_PRECISION", adUnsignedSmallInt);
        out.Column("NUMERIC_SCALE", adSmallInt);
        out.Column("DATETIME_PRECISION", adUnsignedInt);
        for (const char* name : {"CHARACTER_SET_CATALOG", "CHARACTER_SET_SCHEMA", "CHARACTER_SET_NAME",
                                 "COLLATION_CATALOG", "COLLATION_SCHEMA", "COLLATION_NAME", "DOMAIN_CATALOG",
                                 "DOMAIN_SCHEMA", "DOMAIN_NAME", "DESCRIPTION"})
            out.Column(name, adVarWChar);
        long ordinal = 0;
        for (VariantRow& row : raw) {
            if (!Matches(exact[1], Cell(row, 2)) || !Matches(exact[2], Cell(row, 3)) || !Matches(exact[3], Cell(row, 4)))
                continue;
            ++ordinal;
            long type = AdoTypeOfCatalogRow(Cell(row, 5), Cell(row, 6));
            long nullable = AsLong(Cell(row, 11), SQL_NULLABLE_UNKNOWN);
            bool text = odbcmap::IsTextType(type) || odbcmap::IsBinaryType(type);
            bool date = type == adDBDate || type == adDBTime || type == adDBTimeStamp;
            Variant def = Cell(row, 13);
            // MariaDB reports "no default" as the bare word NULL (a text default is quoted).
            if (AsText(def) == "NULL")
                def = Variant::Null();
            long flags = odbcmap::FieldAttributesFor(type, static_cast<int>(nullable), odbcmap::kReadOnly, false);
            VariantRow o;
            o.push_back(Cell(row, 1));
            o.push_back(Cell(row, 2));
            o.push_back(Cell(row, 3));
            o.push_back(Cell(row, 4));
            o.push_back(Variant::Null());
            o.push_back(Variant::Null());
            o.push_back(Typed(VT_UI4, row.size() >= 17 ? AsLong(Cell(row, 17), ordinal) : ordinal));
            o.push_back(Variant::Bool(!def.IsNull()));
            o.push_back(def.IsNull() ? Variant::Null() : Variant::Text(AsText(def).c_str()));
            o.push_back(Typed(VT_UI4, flags));
            o.push_back(Variant::Bool(nullable != SQL_NO_NULLS));
            o.push_back(Typed(VT_UI2, type));
            o.push_back(Variant::Null());
            o.push_back(text ? TypedOrNull(VT_UI4, Cell(row, 7)) : Variant::Null());
            o.push_back(text ? TypedOrNull(VT_UI4, Cell(row, 16)) : Variant::Null());
            o.push_back(IsNumericAdoType(type) ? TypedOrNull(VT_UI2, Cell(row, 7)) : Variant::Null());
            o.push_back(odbcmap::IsExactNumericType(type) ? TypedOrNull(VT_I2, Cell(row, 9)) : Variant::Null());
            o.push_back(date ? TypedOrNull(VT_UI4, Cell(row, 9)) : Variant::Null());
            for (int i = 0; i < 9; ++i)
                o.push_back(Variant::Null());
            o.push_back(Cell(row, 12));
            out.rows.push_back(std::move(o));
        }
        break;
    }
    case adSchemaPrimaryKeys: {
        std::vector<Restriction> r = ReadRestrictions(restrictionValues, 3, codePage_);
        if (!r[2].given) {
            errors.Add("主キーの取得にはテーブル名の制限が必要です");
            return E_INVALIDARG;
        }
        if (!run([&](SQLHSTMT s) { return SQLPrimaryKeys(s, Arg(r[0], a), SQL_NTS, Arg(r[1], b), SQL_NTS, Arg(r[2], c),
                                                         SQL_NTS); }, raw))
            return E_FAIL;
        for (const char* name : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "COLUMN_NAME"})
            out.Column(name, adVarWChar);
        out.Column("COLUMN_GUID", adGUID);
        out.Column("COLUMN_PROPID", adUnsignedInt);
        out.Column("ORDINAL", adUnsignedInt);
        out.Column("PK_NAME", adVarWChar);
        for (VariantRow& row : raw)
            out.rows.push_back({Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 4), Variant::Null(), Variant::Null(),
                                TypedOrNull(VT_UI4, Cell(row, 5)), Cell(row, 6)});
        break;
    }
    case adSchemaIndexes: {
        std::vector<Restriction> r = ReadRestrictions(restrictionValues, 5, codePage_);
        if (!r[4].given) {
            errors.Add("インデックスの取得にはテーブル名の制限が必要です");
            return E_INVALIDARG;
        }
        if (!run([&](SQLHSTMT s) { return SQLStatistics(s, Arg(r[0], a), SQL_NTS, Arg(r[1], b), SQL_NTS, Arg(r[4], c),
                                                        SQL_NTS, SQL_INDEX_ALL, SQL_QUICK); }, raw))
            return E_FAIL;
        std::vector<VariantRow> keys;
        std::set<std::wstring> keyColumns;
        std::wstring keyName;
        if (run([&](SQLHSTMT s) { return SQLPrimaryKeys(s, Arg(r[0], a), SQL_NTS, Arg(r[1], b), SQL_NTS, Arg(r[4], c),
                                                        SQL_NTS); }, keys)) {
            for (VariantRow& key : keys) {
                keyColumns.insert(WideOf(Cell(key, 4)));
                keyName = WideOf(Cell(key, 6));
            }
        } else {
            errors.Clear();  // drivers without primary-key support still list their indexes
        }
        // Columns of each index, to recognise the primary key when the driver names it differently.
        std::map<std::wstring, std::set<std::wstring>> indexColumns;
        for (VariantRow& row : raw)
            if (AsLong(Cell(row, 7), 0) != SQL_TABLE_STAT)
                indexColumns[WideOf(Cell(row, 6))].insert(WideOf(Cell(row, 9)));
        for (const char* name : {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "INDEX_CATALOG", "INDEX_SCHEMA",
                                 "INDEX_NAME"})
            out.Column(name, adVarWChar);
        out.Column("PRIMARY_KEY", adBoolean);
        out.Column("UNIQUE", adBoolean);
        out.Column("CLUSTERED", adBoolean);
        out.Column("TYPE", adUnsignedSmallInt);
        out.Column("FILL_FACTOR", adInteger);
        out.Column("INITIAL_SIZE", adInteger);
        out.Column("NULLS", adInteger);
        out.Column("SORT_BOOKMARKS", adBoolean);
        out.Column("AUTO_UPDATE", adBoolean);
        out.Column("NULL_COLLATION", adInteger);
        out.Column("ORDINAL_POSITION", adUnsignedInt);
        out.Column("COLUMN_NAME", adVarWChar);
        out.Column("COLUMN_GUID", adGUID);
        out.Column("COLUMN_PROPID", adUnsignedInt);
        out.Column("COLLATION", adSmallInt);
        out.Column("CARDINALITY", adInteger);
        out.Column("PAGES", adInteger);
        out.Column("FILTER_CONDITION", adVarWChar);
        out.Column("INTEGRATED", adBoolean);
        for (VariantRow& row : raw) {
            long odbcType = AsLong(Cell(row, 7), 0);
            if (odbcType == SQL_TABLE_STAT)
                continue;
            if (!Matches(r[2], Cell(row, 6)))
                continue;
            std::wstring index = WideOf(Cell(row, 6));
            bool unique = AsLong(Cell(row, 4), 1) == 0;
            bool primary = !keyColumns.empty() &&
                           ((!keyName.empty() && index == keyName) || (unique && indexColumns[index] == keyColumns));
            long type = odbcType == SQL_INDEX_HASHED ? 2 : (odbcType == SQL_INDEX_CLUSTERED ? 1 : 4);
            if (r[3].given && AsLong(r[3].value, -1) != type)
                continue;
            std::string order = AsText(Cell(row, 10));
            out.rows.push_back({Cell(row, 1), Cell(row, 2), Cell(row, 3), Cell(row, 5), Variant::Null(), Cell(row, 6),
                                Variant::Bool(primary), Variant::Bool(unique),
                                Variant::Bool(odbcType == SQL_INDEX_CLUSTERED), Typed(VT_UI2, type), Variant::Null(),
                                Variant::Null(), Variant::Null(), Variant::Bool(false), Variant::Bool(true),
                                Variant::Null(), TypedOrNull(VT_UI4, Cell(row, 8)), Cell(row, 9), Variant::Null(),
                                Variant::Null(),
                                order == "D" ? Typed(VT_I2, 2) : (order == "A" ? Typed(VT_I2, 1) : Variant::Null()),
                                TypedOrNull(VT_I4, Cell(row, 11)), TypedOrNull(VT_I4, Cell(row, 12)), Cell(row, 13),
                                Variant::Bool(false)});
        }
        break;
    }
    case adSchemaProviderTypes: {
        std::vector<Restriction> r = ReadRestrictions(restrictionValues, 2, codePage_);
        if (!run([&](SQLHSTMT s) { return SQLGetTypeInfo(s, SQL_ALL_TYPES); }, raw))
            return E_FAIL;
        out.Column("TYPE_NAME", adVarWChar);
        out.Column("DATA_TYPE", adUnsignedSmallInt);
        out.Column("COLUMN_SIZE", adUnsignedInt);
        for (const char* name : {"LITERAL_PREFIX", "LITERAL_SUFFIX", "CREATE_PARAMS"})
            out.Column(name, adVarWChar);
        out.Column("IS_NULLABLE", adBoolean);
        out.Column("CASE_SENSITIVE", adBoolean);
        out.Column("SEARCHABLE", adUnsignedInt);
        out.Column("UNSIGNED_ATTRIBUTE", adBoolean);
        out.Column("FIXED_PREC_SCALE", adBoolean);
        out.Column("AUTO_UNIQUE_VALUE", adBoolean);
        out.Column("LOCAL_TYPE_NAME", adVarWChar);
        out.Column("MINIMUM_SCALE", adSmallInt);
        out.Column("MAXIMUM_SCALE", adSmallInt);
        out.Column("GUID", adGUID);
        out.Column("TYPELIB", adVarWChar);
        out.Column("VERSION", adVarWChar);
        out.Column("IS_LONG", adBoolean);
        out.Column("BEST_MATCH", adBoolean);
        out.Column("IS_FIXEDLENGTH", adBoolean);
        long wanted = r[0].given ? AsLong(r[0].value, -1) : -1;
        for (VariantRow& row : raw) {
            bool isUnsigned = AsLong(Cell(row, 10), 0) == 1;
            bool money = AsLong(Cell(row, 11), 0) == 1;
            long type = odbcmap::AdoTypeFromSqlType(static_cast<int>(AsLong(Cell(row, 2), 12)), isUnsigned, money);
            if (wanted >= 0 && type != wanted)
                continue;
            out.rows.push_back({Cell(row, 1), Typed(VT_UI2, type), TypedOrNull(VT_UI4, Cell(row, 3)), Cell(row, 4),
                                Cell(row, 5), Cell(row, 6), Variant::Bool(AsLong(Cell(row, 7), 0) != SQL_NO_NULLS),
                                Variant::Bool(AsLong(Cell(row, 8), 0) == 1), TypedOrNull(VT_UI4, Cell(row, 9)),
                                Variant::Bool(isUnsigned), Variant::Bool(money),
                                Variant::Bool(AsLong(Cell(row, 12), 0) == 1), Cell(row, 13),
                                TypedOrNull(VT_I2, Cell(row, 14)), TypedOrNull(VT_I2, Cell(row, 15)), Variant::Null(),
                                Variant::Null(), Variant::Null(), Variant::Bool(odbcmap::IsLongType(type)),
                                Variant::Bool(true), Variant::Bool(odbcmap::IsFixedLengthType(type))});
        }
        break;
    }
    default:
        errors.Add("Object or provider is not capable of performing requested operation.");
        return 0x800A0CB3;  // adErrFeatureNotAvailable
    }
    rows = std::make_unique<MemoryRowSource>(std::move(out.columns), std::move(out.rows));
    return S_OK;
}
