#include "InsertWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "InsertStatementText.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/TypeCatalogue.h"
#include "schema/NameQuoting.h"

namespace {

const DefinitionRow* DefinitionOf(const DefinitionRows& definition, const char* fieldName)
{
    for (const DefinitionRow& row : definition)
        if (row.size() > kDefDefault && row[kDefName].EqualsIgnoreCase(fieldName))
            return &row;
    return nullptr;
}

// One value's text, in a buffer kept from row to row.
class ValueSpeller {
public:
    transfer::InsertValueKind Spell(const VARIANT& value)
    {
        text_.clear();
        switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return transfer::InsertValueKind::Null;
        case VT_BSTR:
            FromWide(value.bstrVal, SysStringLen(value.bstrVal));
            return transfer::InsertValueKind::Text;
        case VT_BOOL:
            text_ = value.boolVal ? "1" : "0";
            return transfer::InsertValueKind::Boolean;
        case VT_DATE:
            FromDate(value.date);
            return transfer::InsertValueKind::Text;
        case VT_R8:
            FromDouble(value.dblVal, 15, 17);
            return transfer::InsertValueKind::Text;
        case VT_R4:
            FromDouble(value.fltVal, 7, 9);
            return transfer::InsertValueKind::Text;
        case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
        case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
        case VT_CY: case VT_DECIMAL:
            return FromNumber(value) ? transfer::InsertValueKind::Text : transfer::InsertValueKind::Unconvertible;
        default:
            return transfer::InsertValueKind::Unconvertible;
        }
    }
    const char* Text() const { return text_.data(); }
    size_t Length() const { return text_.size(); }

private:
    void FromWide(const wchar_t* wide, UINT length)
    {
        if (!length)
            return;
        int bytes = WideCharToMultiByte(932, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        text_.resize(static_cast<size_t>(bytes));
        WideCharToMultiByte(932, 0, wide, static_cast<int>(length), &text_[0], bytes, nullptr, nullptr);
    }

    // Integers, currency and decimals in the C spelling ("." as the point) whatever the
    // user's locale: the text goes into a statement, not onto the screen.
    bool FromNumber(const VARIANT& value)
    {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value), MAKELCID(0x409, SORT_DEFAULT),
                                       LOCALE_NOUSEROVERRIDE, VT_BSTR)))
            return false;
        FromWide(converted.bstrVal, SysStringLen(converted.bstrVal));
        VariantClear(&converted);
        return true;
    }

    // The shortest spelling that reads back as the same value.
    void FromDouble(double value, int shortDigits, int fullDigits)
    {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.*g", shortDigits, value);
        if (std::strtod(buffer, nullptr) != value)
            std::snprintf(buffer, sizeof buffer, "%.*g", fullDigits, value);
        text_ = buffer;
    }

    // "yyyy/mm/dd hh:mm:ss"; a value without a time is the date alone, one without a date
    // (day 0) the time alone.
    void FromDate(DATE date)
    {
        SYSTEMTIME time = {};
        if (!VariantTimeToSystemTime(date, &time))
            return;
        char buffer[40];
        bool hasTime = time.wHour || time.wMinute || time.wSecond;
        if (std::floor(date) == 0 && hasTime)
            std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
        else if (!hasTime)
            std::snprintf(buffer, sizeof buffer, "%04u/%02u/%02u", time.wYear, time.wMonth, time.wDay);
        else
            std::snprintf(buffer, sizeof buffer, "%04u/%02u/%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay,
                          time.wHour, time.wMinute, time.wSecond);
        text_ = buffer;
    }

    std::string text_;
};

struct WrittenField {
    long index;
    bool textColumn;
};

bool WriteFailure(TextFile& out, const char* table)
{
    out.WriteFormatLine("-- レコードセットを取得できませんでした (%s) \n", table);
    out.WriteLine("\n");
    return false;
}

}  // namespace

bool WriteInsertStatements(DbLink& link, DatabaseKind kind, const char* table, const DefinitionRows& definition,
                           TextFile& out, const char* intoTable)
{
    Connection connection;
    connection.SetCursorLocation(ado::adUseServer);
    if (FAILED(connection.Open(link.record.connectionString, "", "", -1)))
        return WriteFailure(out, table);
    Recordset rows;
    VornString select("select * from ");
    select.Append(table);
    if (FAILED(rows.Open(select, &connection, ado::adOpenForwardOnly, ado::adLockReadOnly, ado::adCmdText)) ||
        rows.State() != ado::adStateOpen)
        return WriteFailure(out, table);

    FieldList& fields = rows.Fields();
    std::vector<transfer::InsertColumn> columns;
    std::vector<WrittenField> written;
    for (long i = 0; i < fields.Count(); ++i) {
        const Field* field = fields.Item(i);
        const DefinitionRow* row = DefinitionOf(definition, field->Name());
        const char* typeName = row ? row->at(kDefTypeName).Text() : "";
        if (!transfer::IsInsertedColumn(link.Kind(), typeName, row ? row->at(kDefDefault).Text() : ""))
            continue;
        transfer::InsertColumn column;
        column.name = EncloseName(kind, field->Name());
        char type[16];
        std::snprintf(type, sizeof type, "%ld", field->Type());
        column.category = LiteralCategory(type);
        column.quoted = kind == DatabaseKind::Postgres && VornString(typeName).EqualsIgnoreCase("money");
        written.push_back({i, column.category.Equals("文字列")});
        columns.push_back(std::move(column));
    }
    transfer::InsertLineBuilder builder(kind, intoTable ? intoTable : table, std::move(columns));
    ValueSpeller speller;
    bool fileWritten = true;
    while (fileWritten && !rows.Eof()) {
        builder.BeginRow();
        for (const WrittenField& column : written) {
            transfer::InsertValueKind valueKind = speller.Spell(fields.Item(column.index)->Value());
            // An empty text stays an empty string only where the column holds text.
            if (valueKind == transfer::InsertValueKind::Text && speller.Length() == 0 && !column.textColumn)
                valueKind = transfer::InsertValueKind::Null;
            builder.AddValue(valueKind, speller.Text(), speller.Length());
        }
        fileWritten = out.WriteLine(builder.EndRow());
        if (FAILED(rows.MoveNext()))
            break;
    }
    const ErrorList& errors = connection.Errors();
    if (fileWritten && errors.Count() > 0) {
        VornString message(errors.Item(0)->Description());
        message.ReplaceAll("\r", "");
        message.ReplaceAll("\n", " ");
        out.WriteFormatLine("-- %s\n", message.Text());
        return false;
    }
    return fileWritten;
}
