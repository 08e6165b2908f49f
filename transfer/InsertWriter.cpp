#include "InsertWriter.h"

#include <cstdio>
#include <vector>

#include "InsertStatementText.h"
#include "VariantText.h"
#include "db/AdoConnection.h"
#include "db/AdoRecordset.h"
#include "db/DbLinkText.h"
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
    if (FAILED(connection.Open(dblink::StreamingConnectionString(link.Kind(), link.record.connectionString), "", "", -1)))
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
    VariantSpeller speller;
    bool fileWritten = true;
    while (fileWritten && !rows.Eof()) {
        builder.BeginRow();
        for (const WrittenField& column : written) {
            transfer::InsertValueKind valueKind = InsertValueKindOf(speller.Spell(fields.Item(column.index)->Value()));
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
