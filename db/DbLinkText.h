// The window-free rules of the database link and the statement batch: the built SELECT,
// command trimming, the classification of failures during an export, the fallback texts of
// COM failures, and how a batch text is cut into statements. Kept apart from DbLink so
// both builds test them.
#pragma once

#include <vector>

#include "../common/VornString.h"
#include "DatabaseKind.h"
#include "DefinitionList.h"

namespace dblink {

extern const char kNoCommandText[];           // "コマンドが指定されていません"
extern const char kRecordsetInvalidText[];    // "レコードセットは無効です"
extern const char kRecordsetConnectionText[]; // "接続が無効です" (recordset without a connection)
extern const char kConnectionInvalidText[];   // "接続は無効です" (no connection object)
extern const char kSchemaFailedText[];        // "スキーマデータを取得できませんでした"

// "select " + list + " from " + table [+ " where " + where] [+ " order by " + order].
VornString BuildSelect(const char* selectList, const char* tableName, const char* whereText,
                       const char* orderText);

// Removes half-width and ideographic spaces from both ends; true when text remains.
bool TrimCommand(VornString& text);

// Execute-and-classify after a failure: 1 when the kind tolerates this failure (the
// destination table already exists), else 2. Postgres tolerates every failure.
int ClassifyExecuteFailure(DatabaseKind kind, const char* errorText);

// The text of a COM failure the system has no message for.
VornString ComFailureFallbackText(unsigned long code);

// The connection string for reading a whole table forward once: psqlODBC is told to read
// through a cursor 1,000 rows at a time instead of holding the whole result, whatever the
// DSN says. Other kinds are left as they are.
VornString StreamingConnectionString(DatabaseKind kind, const char* connectionString);

// adUseServer for the Jet kinds, adUseClient for the server kinds.
long CursorLocationFor(DatabaseKind kind);

// True when a row's ADO type cell (third column) holds adBinary (128).
bool HasBinaryColumn(const DefinitionRows& rows);

// A batch text cut at every ';'. Quotes, comments and "GO" lines mean nothing here;
// adjacent semicolons give empty pieces.
std::vector<VornString> SplitStatements(const char* text);
// The piece without spaces, carriage returns, line feeds and tabs at its ends.
VornString TrimStatement(const char* piece);
// Pieces that are not empty once trimmed.
int CountStatements(const std::vector<VornString>& pieces);

// The status-bar texts of a batch.
extern const char kBatchCountingText[];       // "ｺﾏﾝﾄﾞ数を検索中...."
extern const char kBatchNoConnectionText[];   // "接続オブジェクトを作成できませんでした"
extern const char kBatchNoRecordsetText[];    // "【レコードセットの発生しないコマンドを実行】"
extern const char kBatchSucceededText[];      // "正常終了"
extern const char kBatchErrorText[];          // "【エラー】"
extern const char kBatchHeaderMark[];         // "●"
VornString BatchCountText(int count);
// i * 100 / n, integer division: the last piece shows less than 100.
VornString BatchProgressText(int pieces, int index);
VornString BatchFinishedText(int count);

}  // namespace dblink
