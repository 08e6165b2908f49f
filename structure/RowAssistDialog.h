// The INSERT and UPDATE assistants ("INSERT 支援", "UPDATE 支援"): one grid row per column
// of the table shown in the definition view, turned into one statement that goes to the
// command area or Notepad or is run at once. The dialog template (RowAssistDialogs.rc)
// must be linked into the program.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "schema/SchemaBrowser.h"
#include "structure/RowAssistSql.h"   // RowAssistKind { Insert, Update }

// Where the assistant reads its rows and writes its statement.
struct RowAssistContext {
    SchemaBrowser* browser = nullptr;        // kind, the shown table (browser->tableName as listed, unquoted), ExecuteSqlText for 更新
    const GridView* definitionView = nullptr; // one row per column (the 13 definition columns)
    ProfileStore* settings = nullptr;         // InsertWindowSize / UpdateWindowSize
    VornString kindFolder;                    // the kind folder for "parts\Cond.txt", "parts\Option2.txt"
    std::function<void(const char* text)> toCommandArea;  // "SQL転送" → "コマンドエリア" (set execution type SQL)
    std::function<void(const char* text)> toNotepad;      // "SQL転送" → "メモ帳"
};
struct RowAssistPrefill {
    const GridView* dataGrid = nullptr;     // mode 1: its first selected row, fields from grid column 2 on, headings = names
    const GridView* conditions = nullptr;   // mode 2: row i, column 1 = 条件 and column 2 = 値 for grid row i
    std::vector<VornString> keyColumns;     // mode 1 UPDATE: these columns also get 条件 "=" (so the statement updates that row)
    HWND refreshTarget = nullptr;           // after a successful 更新: PostMessage(refreshTarget, kDataViewRefresh, 0, 0)
};
// Modal over owner.
void RunRowAssist(HWND owner, RowAssistKind kind, const RowAssistContext& context, const RowAssistPrefill& prefill);
