#include "AlterTableSql.h"

#include <iterator>

#include "../schema/NameQuoting.h"

const char kRenameDone[] = "名称は変更されました　　";
const char kRenameFailed[] = "エラーが発生しました　　";
const char kAddTabSkipList[] = "0,2,5";
const char kModifyTabSkipList[] = "0,1,2,3,6";

namespace {

const char kSameName[] = "名称を変更して下さい　　";
const char kNoColumnChecked[] = "少なくとも一つの列を選択して下さい　　";
const char kNothingToDo[] = "少なくとも一つの処理を指定して下さい　　";
const char kDecimalNeedsPrecision[] = "decimal 型では精度を指定して下さい　　";
const char kNumericNeedsPrecision[] = "numeric 型では精度を指定して下さい　　";

const StructureColumnSpec kAddColumns[] = {
    {"№", 30}, {"列名", 150}, {"データ型", 100}, {"桁数", 40}, {"小数以下", 60}, {"選択オプション", 100}, {"入力オプション", 200},
};

const StructureColumnSpec kModifyColumns[] = {
    {"№", 30},   {"列名", 150},     {"現在のデータ型", 100}, {"変更後のデータ型", 120},
    {"桁数", 40}, {"小数以下", 60}, {"選択オプション", 100}, {"入力オプション", 200},
};

VornString Enclosed(const DdlTarget& target, const char* name)
{
    return EncloseName(target.kind, TrimmedCell(name), target.excelThroughDsn);
}

VornString AlterHead(const DdlTarget& target, const char* table)
{
    VornString text("alter table ");
    text.Append(Enclosed(target, table));
    return text;
}

const char* Cell(const DefinitionRow& row, int column)
{
    return column < static_cast<int>(row.size()) ? row[column].Text() : "";
}

// 桁数 and 小数以下 as the definition gives them: the length when it reads 1 up to limit - 1,
// then precision and scale when both are given.
void SizesFromDefinition(const DefinitionRow& definition, long limit, ModifyRow& row)
{
    VornString length = TrimmedCell(Cell(definition, kDefSize));
    if (!length.IsEmpty() && length.ToInteger() >= 1 && length.ToInteger() < limit)
        row.size = length;
    VornString precision = TrimmedCell(Cell(definition, kDefPrecision));
    VornString scale = TrimmedCell(Cell(definition, kDefScale));
    if (!precision.IsEmpty() && !scale.IsEmpty()) {
        row.size = precision;
        row.scale = scale;
    }
}

void AppendOptions(const ModifyRow& row, VornString& text)
{
    for (const VornString* option : {&row.option, &row.input}) {
        VornString trimmed = TrimmedCell(*option);
        if (!trimmed.IsEmpty()) {
            text.Append(" ");
            text.Append(trimmed);
        }
    }
}

// "(size[,scale])" after a type; a Postgres decimal or numeric without a size stops.
BuildOutcome AppendModifiedSize(DatabaseKind kind, const VornString& type, const ModifyRow& row, int rowIndex,
                                VornString& text)
{
    BuildOutcome outcome;
    if (AppendSizeSuffix(row.size, row.scale, text))
        return outcome;
    if (kind == DatabaseKind::Postgres) {
        if (type.FindIgnoreCase("decimal") >= 0)
            outcome.message = kDecimalNeedsPrecision;
        else if (type.FindIgnoreCase("numeric") >= 0)
            outcome.message = kNumericNeedsPrecision;
        if (!outcome.Ok()) {
            outcome.focus = BuildFocus::SelectRow;
            outcome.row = rowIndex;
        }
    }
    return outcome;
}

BuildOutcome ModifyOneColumn(const DdlTarget& target, const char* table, const ModifyRow& row, int rowIndex,
                             VornString& statement)
{
    statement = AlterHead(target, table);
    statement.Append(" alter column \r\n\t");
    statement.Append(Enclosed(target, row.name));
    statement.Append(" ");
    VornString type;
    if (target.kind == DatabaseKind::Postgres) {
        // A row that applies options changes nothing else.
        if (TrimmedCell(row.option).IsEmpty() && TrimmedCell(row.input).IsEmpty()) {
            type = TrimmedCell(row.newType);
            statement.Append(" type ");
        }
    } else {
        type = TrimmedCell(row.newType);
        if (type.IsEmpty())
            type = TrimmedCell(row.currentType);
    }
    if (!type.IsEmpty()) {
        statement.Append(type);
        BuildOutcome outcome = AppendModifiedSize(target.kind, type, row, rowIndex, statement);
        if (!outcome.Ok())
            return outcome;
    }
    AppendOptions(row, statement);
    statement.Append("\r\n");
    return BuildOutcome();
}

BuildOutcome ModifyItem(const DdlTarget& target, const ModifyRow& row, int rowIndex, VornString& text)
{
    text.Append("\t");
    VornString name = Enclosed(target, row.name);
    VornString type;
    if (target.kind == DatabaseKind::MySql) {
        if (row.option.FindIgnoreCase("default") >= 0 || row.input.FindIgnoreCase("default") >= 0) {
            text.Append("alter ");
            text.Append(name);
            text.Append(" ");
        } else {
            text.Append("change ");
            text.Append(name);
            text.Append(" ");
            text.Append(name);
            text.Append(" ");
            type = TrimmedCell(row.newType);
            if (type.IsEmpty())
                type = TrimmedCell(row.currentType);
        }
    } else {
        text.Append(name);
        text.Append(" ");
        type = TrimmedCell(row.newType);
    }
    if (!type.IsEmpty()) {
        text.Append(type);
        BuildOutcome outcome = AppendModifiedSize(target.kind, type, row, rowIndex, text);
        if (!outcome.Ok())
            return outcome;
    }
    AppendOptions(row, text);
    return BuildOutcome();
}

}  // namespace

VornString RenameStatement(const DdlTarget& target, const char* oldName, const char* newName)
{
    VornString from = Enclosed(target, oldName);
    VornString to = Enclosed(target, newName);
    VornString text;
    switch (target.kind) {
    case DatabaseKind::SqlServer:
        text.Format("sp_rename %s,%s", from.Text(), to.Text());
        break;
    case DatabaseKind::MySql:
        text.Format("rename table %s to %s", from.Text(), to.Text());
        break;
    case DatabaseKind::Oracle:
        text.Format("rename %s to %s", from.Text(), to.Text());
        break;
    case DatabaseKind::Postgres:
        text.Format("alter table %s rename to %s", from.Text(), to.Text());
        break;
    default:
        break;
    }
    return text;
}

const char* RenameProblem(const char* oldName, const char* newName)
{
    return VornString(newName ? newName : "").EqualsIgnoreCase(oldName ? oldName : "") ? kSameName : nullptr;
}

std::vector<StructureColumnSpec> AddColumnColumns(DatabaseKind kind)
{
    size_t count = kind == DatabaseKind::Excel ? 3 : sizeof kAddColumns / sizeof kAddColumns[0];
    return std::vector<StructureColumnSpec>(kAddColumns, kAddColumns + count);
}

BuildOutcome BuildAddColumns(const DdlTarget& target, const char* tableField, const char* table,
                             TableColumnRows& rows, VornString& text)
{
    BuildOutcome outcome = CheckTableAndColumnNames(tableField, rows);
    if (!outcome.Ok())
        return outcome;
    const DatabaseKind kind = target.kind;
    text = AlterHead(target, table);
    if (kind == DatabaseKind::Excel)
        text.Append(" add column(\r\n");
    else if (kind == DatabaseKind::Mdb)
        text.Append(" add column \r\n");
    else if (kind == DatabaseKind::SqlServer)
        text.Append(" add \r\n");
    else if (kind == DatabaseKind::MySql || kind == DatabaseKind::Oracle)
        text.Append(" add (\r\n");
    else
        text = VornString();   // Postgres: one statement per column
    bool first = true;
    for (size_t i = 0; i < rows.size(); ++i) {
        TableColumnRow& row = rows[i];
        if (!RowHasName(row))
            continue;
        if (kind == DatabaseKind::Postgres) {
            if (!first)
                text.Append(";\r\n");
            text.Append(AlterHead(target, table));
            text.Append(" add ");
        } else {
            text.Append(first ? "\t" : "\r\n\t,");
        }
        first = false;
        if (kind == DatabaseKind::Excel) {
            text.Append(Enclosed(target, row.name));
            text.Append(" ");
            VornString type = TrimmedCell(row.type);
            text.Append(type.IsEmpty() ? VornString("VARCHAR") : type);
            continue;
        }
        outcome = AppendColumnDefinition(target, row, static_cast<int>(i), text);
        if (!outcome.Ok())
            return outcome;
    }
    if (kind == DatabaseKind::Excel)
        text.Append("\r\n)\r\n");
    else if (kind == DatabaseKind::Mdb || kind == DatabaseKind::SqlServer)
        text.Append("\r\n");
    else if (kind == DatabaseKind::MySql || kind == DatabaseKind::Oracle)
        text.Append(")\r\n");
    else
        text.Append(";");
    return outcome;
}

std::vector<StructureColumnSpec> DropColumnColumns()
{
    return {{"削除対象", 30}, {"№", 30}, {"列名　　　　　　　　　　　　　　　", 150}};
}

BuildOutcome BuildDropColumns(const DdlTarget& target, const char* table, const std::vector<VornString>& checked,
                              VornString& text)
{
    BuildOutcome outcome;
    if (checked.empty()) {
        outcome.message = kNoColumnChecked;
        return outcome;
    }
    const DatabaseKind kind = target.kind;
    text = AlterHead(target, table);
    if (kind == DatabaseKind::Mdb || kind == DatabaseKind::SqlServer || kind == DatabaseKind::Postgres)
        text.Append(" drop column \r\n");
    else if (kind == DatabaseKind::MySql)
        text.Append("\r\n");
    else if (kind == DatabaseKind::Oracle)
        text.Append(" drop (\r\n");
    for (size_t i = 0; i < checked.size(); ++i) {
        text.Append(i == 0 ? "\t" : "\r\n\t,");
        if (kind == DatabaseKind::MySql)
            text.Append("drop ");
        // Postgres takes a list of actions, not of names: every further column needs its
        // own "drop column".
        else if (kind == DatabaseKind::Postgres && i > 0)
            text.Append("drop column ");
        text.Append(Enclosed(target, checked[i]));
        text.Append(" ");
    }
    if (kind == DatabaseKind::Oracle)
        text.Append(")\r\n");
    else if (kind != DatabaseKind::Excel)
        text.Append("\r\n");
    return outcome;
}

std::vector<StructureColumnSpec> ModifyColumnColumns()
{
    return std::vector<StructureColumnSpec>(std::begin(kModifyColumns), std::end(kModifyColumns));
}

ModifyRows ModifyRowsFromDefinition(const DefinitionRows& definition)
{
    ModifyRows rows;
    for (const DefinitionRow& source : definition) {
        ModifyRow row;
        row.name = Cell(source, kDefName);
        row.currentType = Cell(source, kDefTypeName);
        SizesFromDefinition(source, 4000, row);
        rows.push_back(row);
    }
    return rows;
}

void ClearModifyRow(ModifyRow& row)
{
    row.newType = VornString();
    row.scale = VornString();
    row.option = VornString();
    row.input = VornString();
}

void ClearModifyRows(ModifyRows& rows, const DefinitionRows& definition)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        ClearModifyRow(rows[i]);
        if (i < definition.size())
            SizesFromDefinition(definition[i], 10000, rows[i]);
    }
}

bool ModifyRowTakesPart(const ModifyRow& row)
{
    return !TrimmedCell(row.newType).IsEmpty() || !TrimmedCell(row.option).IsEmpty() ||
           !TrimmedCell(row.input).IsEmpty();
}

bool ModifyRunsPerColumn(DatabaseKind kind)
{
    return kind == DatabaseKind::Mdb || kind == DatabaseKind::SqlServer || kind == DatabaseKind::Postgres;
}

BuildOutcome BuildModifyColumns(const DdlTarget& target, const char* table, const ModifyRows& rows,
                                std::vector<VornString>& statements)
{
    statements.clear();
    BuildOutcome outcome;
    bool any = false;
    for (const ModifyRow& row : rows)
        any = any || ModifyRowTakesPart(row);
    if (!any) {
        outcome.message = kNothingToDo;
        outcome.focus = BuildFocus::DropDown;
        outcome.column = kModifyNewType;
        return outcome;
    }
    if (ModifyRunsPerColumn(target.kind)) {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!ModifyRowTakesPart(rows[i]))
                continue;
            VornString statement;
            outcome = ModifyOneColumn(target, table, rows[i], static_cast<int>(i), statement);
            if (!outcome.Ok()) {
                statements.clear();
                return outcome;
            }
            statements.push_back(statement);
        }
        return outcome;
    }
    VornString text = AlterHead(target, table);
    text.Append(target.kind == DatabaseKind::Oracle ? " modify (\r\n" : "\r\n");
    bool first = true;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!ModifyRowTakesPart(rows[i]))
            continue;
        if (!first)
            text.Append(",\r\n");
        first = false;
        outcome = ModifyItem(target, rows[i], static_cast<int>(i), text);
        if (!outcome.Ok())
            return outcome;
    }
    text.Append(target.kind == DatabaseKind::Oracle ? ")\r\n" : "\r\n");
    statements.push_back(text);
    return outcome;
}

VornString JoinStatements(const std::vector<VornString>& statements)
{
    VornString text;
    for (const VornString& statement : statements) {
        text.Append(statement);
        text.Append(";\r\n");
    }
    return text;
}
