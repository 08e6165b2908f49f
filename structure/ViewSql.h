// View creation from the command area without a window: when the dialog may open, and
// the "create view" statement.
#pragma once

#include "CreateTableSql.h"

// Mdb, SqlServer, Oracle and Postgres; the others cannot take the command area's query.
bool ViewCreationOffered(DatabaseKind kind);
// Before the dialog opens: "実行タイプが SQL ではありません" or "コマンドエリアに記述があり
// ません" (preparedText: the command area without its comment and directive lines);
// null when the dialog may open.
const char* ViewCommandProblem(const char* executionType, const char* preparedText);
// "create view " + enclosed name + " as " + the query trimmed of blanks and line ends; an
// empty name stops with "ビュー名を入力して下さい".
BuildOutcome BuildCreateView(const DdlTarget& target, const char* viewName, const char* preparedText,
                             VornString& text);
extern const char kViewCreated[];   // "処理が正常に終了しました　　"
