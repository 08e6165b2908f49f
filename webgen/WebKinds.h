// The nine generators of the "ASP雛形" menu and the column facts their pages are made of.
// Window-free.
#pragma once

#include <vector>

#include "common/VornString.h"
#include "db/DefinitionList.h"

enum class WebKind {
    CommonFiles,
    Menu,
    FrameQuery,           // フレーム問合せ
    FrameMaintenance,     // フレームマスタメンテ
    FrameRowMaintenance,  // フレーム行マスタメンテ
    SignUp,               // サインアップ
    IePrint,              // IE印刷
    ExcelPrint,           // Excel 印刷
    BulkDelete,           // 一括行削除
};

struct WebKindFacts {
    WebKind kind;
    const char* menuText;
    const char* projectName;    // the preset of "プロジェクト名" ("" without a project folder)
    const char* templateTable;
    bool needsTable;
    // Left grid: key fields (true) or fuzzy-search fields (false).
    bool keyFields;
    // The right grid holds edit fields (true) or display fields (false).
    bool editFields;
};

const WebKindFacts& FactsOf(WebKind kind);
// The kinds in menu order.
const std::vector<WebKind>& AllWebKinds();

// One column of the selected table as the pages use it.
struct WebColumn {
    VornString name;      // NAME
    int ordinal = 0;      // "№", 1-based
    VornString typeName;
    VornString maxLength; // "最大桁" as shown
};

// NNN: "%03d" of the ordinal.
VornString ColumnNnn(const WebColumn& column);
// WIDTH: the maximum length for VARCHAR types (any case), 20 for DATE types, 6 otherwise.
int ColumnWidth(const WebColumn& column);
// IE印刷 prints the heading in the column's width: never narrower than the name's bytes.
int PrintColumnWidth(const WebColumn& column);
// A fuzzy-search candidate: a varchar type of at least 10 characters.
bool IsFuzzySearchColumn(const WebColumn& column);

// The columns of a definition view, in its order.
std::vector<WebColumn> ColumnsFromDefinition(const DefinitionRows& definition);

// The fields checked in the two grids, each in grid order.
struct WebFields {
    VornString table;   // TABLE: the name as the table list shows it
    std::vector<WebColumn> left;
    std::vector<WebColumn> right;
};
