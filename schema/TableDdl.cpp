#include "TableDdl.h"

#include "NameQuoting.h"

namespace {

const int kLastKeyPosition = 7;

VornString Trimmed(const VornString& text)
{
    VornString result(text);
    result.TrimBlanks();
    return result;
}

const VornString& Cell(const DefinitionRow& row, int column)
{
    static const VornString empty;
    return column < static_cast<int>(row.size()) ? row[column] : empty;
}

}  // namespace

VornString PrimaryKeyClause(DatabaseKind kind, bool excelThroughDsn, const std::vector<KeyColumn>& columns)
{
    VornString clause;
    for (int position = 1; position <= kLastKeyPosition; ++position) {
        for (const KeyColumn& column : columns) {
            VornString key = Trimmed(column.key);
            if (key.IsEmpty() || key.ToInteger() != position || Trimmed(column.name).IsEmpty())
                continue;
            clause.Append(clause.IsEmpty() ? "\r\n\t,primary key(" : ",");
            clause.Append(EncloseName(kind, Trimmed(column.name), excelThroughDsn));
        }
    }
    if (!clause.IsEmpty())
        clause.Append(")");
    return clause;
}

bool IsSizedCharacterType(const char* typeName)
{
    return VornString(typeName).IsMemberOfIgnoreCase("VARCHAR,CHAR,VARCHAR2,NVARCHAR2,NCHAR,NVARCHAR");
}

bool IsExactNumericTypeName(DatabaseKind kind, const char* typeName)
{
    VornString type(typeName);
    switch (kind) {
    case DatabaseKind::Mdb:
        return type.EqualsIgnoreCase("DECIMAL");
    case DatabaseKind::SqlServer:
    case DatabaseKind::MySql:
    case DatabaseKind::Postgres:
        return type.IsMemberOfIgnoreCase("DECIMAL,NUMERIC");
    case DatabaseKind::Oracle:
        return type.IsMemberOfIgnoreCase("DECIMAL,NUMBER");
    default:
        return false;
    }
}

VornString CreateTableFromDefinition(DatabaseKind kind, const char* tableName, const DefinitionRows& definition,
                                     bool excelThroughDsn)
{
    VornString text("create table ");
    text.Append(EncloseName(kind, tableName, excelThroughDsn));
    text.Append(" (\r\n");
    std::vector<KeyColumn> keys;
    bool first = true;
    for (const DefinitionRow& row : definition) {
        const VornString& type = Cell(row, kDefTypeName);
        text.Append(first ? "\t" : "\r\n\t,");
        first = false;
        text.Append(EncloseName(kind, Cell(row, kDefName), excelThroughDsn));
        text.Append(" ");
        text.Append(type);
        // A character type without a length (a definition read without one) is written
        // bare rather than as "()", which no kind accepts.
        if (kind != DatabaseKind::Excel && IsSizedCharacterType(type) && !Trimmed(Cell(row, kDefSize)).IsEmpty()) {
            text.Append("(");
            text.Append(Trimmed(Cell(row, kDefSize)));
            text.Append(")");
        } else if (kind != DatabaseKind::Excel && IsExactNumericTypeName(kind, type) &&
                   !Trimmed(Cell(row, kDefPrecision)).IsEmpty()) {
            text.Append("(");
            text.Append(Trimmed(Cell(row, kDefPrecision)));
            VornString scale = Trimmed(Cell(row, kDefScale));
            if (!scale.IsEmpty()) {
                text.Append(",");
                text.Append(scale);
            }
            text.Append(")");
        }
        keys.push_back(KeyColumn{Cell(row, kDefName), Cell(row, kDefPrimaryKey)});
    }
    text.Append(PrimaryKeyClause(kind, excelThroughDsn, keys));
    text.Append("\r\n)\r\n");
    return text;
}

VornString DropTableLine(DatabaseKind kind, const char* tableName, bool excelThroughDsn)
{
    VornString line("drop table ");
    line.Append(EncloseName(kind, tableName, excelThroughDsn));
    line.Append(";");
    return line;
}
