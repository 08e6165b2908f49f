// The rename, add-column, drop-column and change-column assistants without a window:
// their grids and the statements each kind takes.
#pragma once

#include <vector>

#include "CreateTableSql.h"

// "sp_rename", "rename table", "rename" or "alter table … rename to" with both names
// enclosed; empty for the kinds that cannot rename (Excel, Mdb).
VornString RenameStatement(const DdlTarget& target, const char* oldName, const char* newName);
// A new name equal to the old one ignoring case is refused with this message; null when
// the rename may go ahead.
const char* RenameProblem(const char* oldName, const char* newName);
extern const char kRenameDone[];     // "名称は変更されました　　"
extern const char kRenameFailed[];   // "エラーが発生しました　　"

// The add-column grid: "№", "列名", "データ型", and on every kind but Excel "桁数",
// "小数以下", "選択オプション", "入力オプション". Its rows are TableColumnRow without a key.
enum AddColumn {
    kAddNumber = 0,
    kAddName = 1,
    kAddType = 2,
    kAddSize = 3,
    kAddScale = 4,
    kAddOption = 5,
    kAddInput = 6,
};
std::vector<StructureColumnSpec> AddColumnColumns(DatabaseKind kind);
extern const char kAddTabSkipList[];   // "0,2,5"
// tableField: the dialog's 表名, which must not be empty; table: the table the definition
// view shows, which every statement names.
BuildOutcome BuildAddColumns(const DdlTarget& target, const char* tableField, const char* table,
                             TableColumnRows& rows, VornString& text);

// The drop-column grid: check box, "№" and the column name.
std::vector<StructureColumnSpec> DropColumnColumns();
BuildOutcome BuildDropColumns(const DdlTarget& target, const char* table, const std::vector<VornString>& checked,
                              VornString& text);

// The change-column grid.
enum ModifyColumn {
    kModifyNumber = 0,
    kModifyName = 1,
    kModifyCurrentType = 2,
    kModifyNewType = 3,
    kModifySize = 4,
    kModifyScale = 5,
    kModifyOption = 6,
    kModifyInput = 7,
};
std::vector<StructureColumnSpec> ModifyColumnColumns();
extern const char kModifyTabSkipList[];   // "0,1,2,3,6"
struct ModifyRow {
    VornString name;
    VornString currentType;
    VornString newType;
    VornString size;
    VornString scale;
    VornString option;
    VornString input;
};
using ModifyRows = std::vector<ModifyRow>;
// One row per definition row: name, current type, 桁数 from 最大桁 (1..3999), or
// precision and scale when both are given.
ModifyRows ModifyRowsFromDefinition(const DefinitionRows& definition);
// "入力データを全てクリア": new type, 小数以下 and both options emptied, 桁数 and 小数以下
// given again from the definition (最大桁 below 10000, or precision and scale).
void ClearModifyRows(ModifyRows& rows, const DefinitionRows& definition);
// "選択行をクリア": new type, 小数以下 and both options emptied.
void ClearModifyRow(ModifyRow& row);
bool ModifyRowTakesPart(const ModifyRow& row);
// Mdb, SqlServer and Postgres change one column per statement, each run on its own.
bool ModifyRunsPerColumn(DatabaseKind kind);
// The statements in grid order (one for MySql and Oracle).
BuildOutcome BuildModifyColumns(const DdlTarget& target, const char* table, const ModifyRows& rows,
                                std::vector<VornString>& statements);
// What "SQL転送" writes: every statement followed by ";\r\n".
VornString JoinStatements(const std::vector<VornString>& statements);
