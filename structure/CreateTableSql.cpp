#include "CreateTableSql.h"

#include "../schema/NameQuoting.h"
#include "../schema/TableDdl.h"

const char kCreateTabSkipList[] = "0,2,5,6";
const char kKeyPositionList[] = ",1,2,3,4,5,6,7";
const int kCreateInitialRows = 20;

namespace {

const char kNoTableName[] = "表名を指定して下さい　　";
const char kNoColumn[] = "少なくとも一つの列を指定して下さい　　";

struct SizeRule {
    DatabaseKind kind;
    const char* type;
    const char* message;
};

const SizeRule kSizeRules[] = {
    {DatabaseKind::MySql, "varchar", "VARCHAR 型では桁数を指定して下さい　　"},
    {DatabaseKind::Postgres, "decimal", "decimal 型では精度を指定して下さい　　"},
    {DatabaseKind::Postgres, "numeric", "numeric 型では精度を指定して下さい　　"},
    {DatabaseKind::Oracle, "varchar2", "VARCHAR2 型では桁数を指定して下さい　　"},
    {DatabaseKind::Oracle, "nvarchar2", "NVARCHAR2 型では桁数を指定して下さい　　"},
    {DatabaseKind::Oracle, "raw", "RAW 型では桁数を指定して下さい　　"},
};

const StructureColumnSpec kCreateColumns[] = {
    {"№", 30},   {"列名", 150},          {"データ型", 100},       {"桁数", 40},
    {"小数以下", 60}, {"主キー", 40}, {"選択オプション", 100}, {"入力オプション", 200},
};

const char* Cell(const DefinitionRow& row, int column)
{
    return column < static_cast<int>(row.size()) ? row[column].Text() : "";
}

void AppendSeparator(bool first, VornString& text) { text.Append(first ? "\t" : "\r\n\t,"); }

}  // namespace

std::vector<StructureColumnSpec> CreateTableColumns(DatabaseKind kind)
{
    size_t count = kind == DatabaseKind::Excel ? 3 : sizeof kCreateColumns / sizeof kCreateColumns[0];
    return std::vector<StructureColumnSpec>(kCreateColumns, kCreateColumns + count);
}

VornString GeneratedColumnName(int rowIndex)
{
    VornString name;
    name.Format("項目%03d", rowIndex + 1);
    return name;
}

VornString TrimmedCell(const char* text)
{
    VornString result(text ? text : "");
    result.TrimBlanks();
    return result;
}

bool RowHasName(const TableColumnRow& row) { return !TrimmedCell(row.name).IsEmpty(); }

const char* DefaultColumnType(DatabaseKind kind) { return kind == DatabaseKind::Oracle ? "VARCHAR2" : "VARCHAR"; }

const char* TypeNeedsSizeMessage(DatabaseKind kind, const char* type)
{
    VornString name = TrimmedCell(type);
    for (const SizeRule& rule : kSizeRules)
        if (rule.kind == kind && name.EqualsIgnoreCase(rule.type))
            return rule.message;
    return nullptr;
}

bool AppendSizeSuffix(const char* size, const char* scale, VornString& text)
{
    VornString length = TrimmedCell(size);
    if (length.IsEmpty())
        return false;
    text.Append("(");
    text.Append(length);
    VornString decimals = TrimmedCell(scale);
    if (!decimals.IsEmpty()) {
        text.Append(",");
        text.Append(decimals);
    }
    text.Append(")");
    return true;
}

BuildOutcome AppendColumnDefinition(const DdlTarget& target, TableColumnRow& row, int rowIndex, VornString& text)
{
    BuildOutcome outcome;
    text.Append(EncloseName(target.kind, TrimmedCell(row.name), target.excelThroughDsn));
    text.Append(" ");
    VornString type = TrimmedCell(row.type);
    if (type.IsEmpty()) {
        type = DefaultColumnType(target.kind);
        row.type = type;
    }
    text.Append(type);
    if (!AppendSizeSuffix(row.size, row.scale, text) && TypeNeedsSizeMessage(target.kind, type)) {
        outcome.message = TypeNeedsSizeMessage(target.kind, type);
        outcome.focus = BuildFocus::SelectRow;
        outcome.row = rowIndex;
        return outcome;
    }
    for (const VornString* option : {&row.option, &row.input}) {
        VornString trimmed = TrimmedCell(*option);
        if (!trimmed.IsEmpty()) {
            text.Append(" ");
            text.Append(trimmed);
        }
    }
    return outcome;
}

BuildOutcome CheckTableAndColumnNames(const char* tableField, const TableColumnRows& rows)
{
    BuildOutcome outcome;
    if (TrimmedCell(tableField).IsEmpty()) {
        outcome.message = kNoTableName;
        outcome.focus = BuildFocus::TableName;
        return outcome;
    }
    for (const TableColumnRow& row : rows)
        if (RowHasName(row))
            return outcome;
    outcome.message = kNoColumn;
    outcome.focus = BuildFocus::EditCell;
    outcome.column = kCreateName;
    return outcome;
}

BuildOutcome BuildCreateTable(const DdlTarget& target, const char* tableName, TableColumnRows& rows, VornString& text)
{
    BuildOutcome outcome = CheckTableAndColumnNames(tableName, rows);
    if (!outcome.Ok())
        return outcome;
    VornString table = TrimmedCell(tableName);
    text = "create table ";
    text.Append(EncloseName(target.kind, table, target.excelThroughDsn));
    text.Append(" (\r\n");
    bool first = true;
    std::vector<KeyColumn> keys;
    for (size_t i = 0; i < rows.size(); ++i) {
        TableColumnRow& row = rows[i];
        if (!RowHasName(row))
            continue;
        AppendSeparator(first, text);
        first = false;
        if (target.kind == DatabaseKind::Excel) {
            // A workbook takes names and types only; the default is not written back.
            text.Append(EncloseName(target.kind, TrimmedCell(row.name), target.excelThroughDsn));
            text.Append(" ");
            VornString type = TrimmedCell(row.type);
            text.Append(type.IsEmpty() ? VornString("VARCHAR") : type);
            continue;
        }
        outcome = AppendColumnDefinition(target, row, static_cast<int>(i), text);
        if (!outcome.Ok())
            return outcome;
        keys.push_back(KeyColumn{row.name, row.key});
    }
    if (target.kind != DatabaseKind::Excel)
        text.Append(PrimaryKeyClause(target.kind, target.excelThroughDsn, keys));
    text.Append("\r\n)\r\n");
    return outcome;
}

TableColumnRows RowsFromDefinition(DatabaseKind kind, const DefinitionRows& definition)
{
    TableColumnRows rows;
    for (const DefinitionRow& source : definition) {
        TableColumnRow row;
        row.name = Cell(source, kDefName);
        row.type = Cell(source, kDefTypeName);
        VornString typeName = TrimmedCell(row.type);
        VornString length = TrimmedCell(Cell(source, kDefSize));
        if (kind == DatabaseKind::Oracle && typeName.IsMemberOfIgnoreCase("NVARCHAR2,NCHAR")) {
            if (!length.IsEmpty())
                row.size.Format("%ld", length.ToInteger() / 2);
        } else if (kind == DatabaseKind::Oracle && typeName.EqualsIgnoreCase("CLOB")) {
            row.type = "CLOB";
        } else if (!length.IsEmpty() && length.ToInteger() < 4001 && length.ToInteger() != 0) {
            row.size = length;
        }
        if (TrimmedCell(Cell(source, kDefAdoType)).IsMemberOf("14,131")) {
            row.size = Cell(source, kDefPrecision);
            row.scale = Cell(source, kDefScale);
        }
        row.key = Cell(source, kDefPrimaryKey);
        rows.push_back(row);
    }
    return rows;
}
