#include "CsvExport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "VariantText.h"
#include "common/TextFile.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/DbLinkText.h"
#include "schema/NameQuoting.h"

namespace {

transfer::CsvValueKind CsvKindOf(VariantTextKind kind)
{
    switch (kind) {
    case VariantTextKind::Null: return transfer::CsvValueKind::Null;
    case VariantTextKind::Text: return transfer::CsvValueKind::Text;
    case VariantTextKind::Date: return transfer::CsvValueKind::Date;
    case VariantTextKind::Unconvertible: return transfer::CsvValueKind::Unconvertible;
    default: return transfer::CsvValueKind::Number;
    }
}

void CollectErrors(DbLink& link, const Connection& connection)
{
    link.ErrorText.Clear();
    const ErrorList& errors = connection.Errors();
    for (long i = 0; i < errors.Count(); ++i) {
        link.ErrorText.Append(errors.Item(i)->Description());
        link.ErrorText.Append("\n");
    }
}

// The rows the query will give, counted by the database; -1 when it cannot say.
long CountRows(Connection& connection, const char* select)
{
    Recordset count;
    VornString text("select count(*) from (");
    text.Append(select);
    text.Append(") counted");
    if (FAILED(count.Open(text, &connection, ado::adOpenForwardOnly, ado::adLockReadOnly)) ||
        count.State() != ado::adStateOpen || count.Eof()) {
        connection.MutableErrors().Clear();
        return -1;
    }
    VariantSpeller speller;
    speller.Spell(count.Fields().Item(0L)->Value());
    return std::strtol(speller.Text(), nullptr, 10);
}

}  // namespace

VornString CsvExportSelect(DatabaseKind kind, const char* table, const char* selectList,
                           const std::vector<VornString>& explicitColumns, const char* whereText,
                           const char* orderText)
{
    VornString columns(selectList && *selectList ? selectList : "*");
    if (kind == DatabaseKind::Oracle && !explicitColumns.empty()) {
        columns.Clear();
        for (size_t i = 0; i < explicitColumns.size(); ++i) {
            if (i)
                columns.Append("||','||");
            columns.Append(EncloseName(kind, explicitColumns[i]));
        }
    }
    return dblink::BuildSelect(columns, table, whereText, orderText);
}

CsvWriteResult WriteCsvFile(DbLink& link, const char* select, const CsvWriteOptions& options, const char* path,
                            const std::function<void(long)>& onCount, const std::function<void(long)>& onRow)
{
    CsvWriteResult result;
    Connection connection;
    connection.SetCursorLocation(ado::adUseServer);
    if (FAILED(connection.Open(dblink::StreamingConnectionString(link.Kind(), link.record.connectionString)))) {
        CollectErrors(link, connection);
        return result;
    }
    result.records = CountRows(connection, select);
    Recordset rows;
    if (FAILED(rows.Open(select, &connection, ado::adOpenForwardOnly, ado::adLockReadOnly))) {
        CollectErrors(link, connection);
        return result;
    }
    result.opened = true;
    if (onCount)
        onCount(result.records);
    TextFile file;
    if (!file.OpenWrite(path)) {
        result.written = false;
        return result;
    }
    FieldList& fields = rows.Fields();
    const long count = rows.State() == ado::adStateOpen ? fields.Count() : 0;
    const std::string delimiter = options.fields.delimiter.Text();
    std::string line;
    if (options.titles) {
        for (long i = 0; i < count; ++i) {
            if (i)
                line += delimiter;
            line += fields.Item(i)->Name().Text();
        }
        line += "\n";
        result.written = file.WriteLine(line.c_str());
    }
    VariantSpeller speller;
    while (result.written && count > 0 && !rows.Eof()) {
        line.clear();
        for (long i = 0; i < count; ++i) {
            if (i)
                line += delimiter;
            transfer::CsvValueKind kind = CsvKindOf(speller.Spell(fields.Item(i)->Value()));
            transfer::AppendCsvField(line, kind, speller.Text(), speller.Length(), options.fields);
        }
        line += "\n";
        result.written = file.WriteLine(line.c_str());
        ++result.rows;
        if (onRow && result.rows % 1000 == 0)
            onRow(result.rows);
        if (FAILED(rows.MoveNext()))
            break;
    }
    if (!file.Close())
        result.written = false;
    if (connection.Errors().Count() > 0) {
        CollectErrors(link, connection);
        result.readFailed = true;
    }
    if (onRow)
        onRow(result.rows);
    return result;
}
