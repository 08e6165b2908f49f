// The INSERT and UPDATE assistants without a window: their grid rows (one per column of
// the table), the check before a statement is built, the value each row writes and the
// two statement texts, and the pre-fill from a row and the conditions of the data view.
//
// Every literal the assistants quote has its apostrophes doubled, except those already
// doubled: a pre-filled O''Brien stays as it is and a typed O'Brien becomes O''Brien, so
// neither can end the literal early. IN, BETWEEN and "フリー入力" texts are SQL the user
// wrote and stay as written.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "../db/DatabaseKind.h"
#include "../db/DefinitionList.h"

enum class RowAssistKind { Insert, Update };

// The assistants' grid columns; 条件 and 値 exist only in UPDATE.
enum AssistColumn {
    kAssistNumber = 0,
    kAssistName = 1,
    kAssistCategory = 2,
    kAssistOption = 3,
    kAssistData = 4,
    kAssistCondition = 5,
    kAssistValue = 6,
};

struct AssistColumnSpec {
    const char* heading;
    int width;
};
std::vector<AssistColumnSpec> AssistColumns(RowAssistKind kind);
// The columns Tab passes over: "0,1,2,3" (INSERT) or "0,1,2,3,5" (UPDATE).
const char* AssistTabSkipList(RowAssistKind kind);
// "INSERT 支援" / "UPDATE 支援".
const char* AssistCaption(RowAssistKind kind);
// "InsertWindowSize" / "UpdateWindowSize".
const char* AssistPlacementSection(RowAssistKind kind);

extern const char kAssistFreeInput[];   // "フリー入力"

// One column of the table as the assistant's grid holds it.
struct AssistRow {
    VornString name;
    VornString category;   // "文字列", "日付", "数値" or "未定義"
    bool binary = false;   // a binary column: the data view shows "???" instead of its value
    VornString option;     // 選択オプション
    VornString data;       // データ
    VornString condition;  // 条件 (UPDATE)
    VornString value;      // 値 (UPDATE)
};
using AssistRows = std::vector<AssistRow>;

// The category shown in "型" and used for quoting. Besides the catalogue's character
// types, the variable and long character types the drivers report (200, 201, 203) count
// as "文字列", and so does a Postgres "money" column: written bare, their values would
// break the statement.
const char* AssistCategory(DatabaseKind kind, const DefinitionRow& definition);
// One empty row per definition row, in the same order.
AssistRows AssistRowsFor(DatabaseKind kind, const DefinitionRows& definition);

// A row takes part in the statement when its trimmed データ or its 選択オプション is set.
bool HasInput(const AssistRow& row);
bool HasCondition(const AssistRow& row);

enum class AssistProblem { None, FreeInputWithoutData, NoColumn, NoCondition };
// What stops a build: the message and the cell the editor opens on (for NoCondition the
// 条件 drop-down, after its list was reset to the kind's built-in one).
struct AssistCheck {
    AssistProblem problem = AssistProblem::None;
    const char* message = "";
    int row = 0;
    int column = kAssistData;
};
AssistCheck CheckAssistRows(RowAssistKind kind, const AssistRows& rows);

// The table and how names are written on this connection.
struct AssistTarget {
    DatabaseKind kind = DatabaseKind::None;
    bool excelThroughDsn = false;
    VornString table;   // as listed, without the kind's quotes
};

// A text put between apostrophes: doubled where not yet doubled; a text that already
// starts and ends with an apostrophe stays as it is.
VornString QuotedLiteral(const char* text);
// What a row with input writes into the statement (see the header comment).
VornString RowValue(DatabaseKind kind, const AssistRow& row);
// The part of the WHERE text a row with a 条件 writes after its column name and a space.
VornString ConditionPart(DatabaseKind kind, const AssistRow& row);

// The statements over the rows with input (and, for UPDATE, the rows with a 条件); the
// line breaks "\r\n", tabs and spaces are those the command area and Notepad show.
VornString InsertText(const AssistTarget& target, const AssistRows& rows);
VornString UpdateText(const AssistTarget& target, const AssistRows& rows);

// Mode 1: the data view's selected row. For each heading the row of that name (single-
// byte letters compared without case) takes the value as its データ, and in UPDATE also
// as its 値; a "文字列" value has its apostrophes doubled first; binary columns are left
// empty. In UPDATE the key columns also get the 条件 "=", so the statement updates
// that row.
void PrefillFromDataRow(RowAssistKind kind, AssistRows& rows, const std::vector<VornString>& headings,
                        const std::vector<VornString>& values, const std::vector<VornString>& keyColumns);

struct AssistCondition {
    VornString condition;
    VornString value;
};
// Mode 2: condition i of the data view is 条件 and 値 of row i.
void PrefillConditions(AssistRows& rows, const std::vector<AssistCondition>& conditions);

// "入力データを全てクリア" (every row) and "選択行をクリア" (one row): 選択オプション and
// データ emptied; 条件 and 値 stay.
void ClearInput(AssistRow& row);
