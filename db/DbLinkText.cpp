#include "DbLinkText.h"

#include <cstring>

#include "../common/SjisText.h"
#include "../common/TokenList.h"
#include "AdoConstants.h"

namespace dblink {

const char kNoCommandText[] = "コマンドが指定されていません";
const char kRecordsetInvalidText[] = "レコードセットは無効です";
const char kRecordsetConnectionText[] = "接続が無効です";
const char kConnectionInvalidText[] = "接続は無効です";
const char kSchemaFailedText[] = "スキーマデータを取得できませんでした";

const char kBatchCountingText[] = "ｺﾏﾝﾄﾞ数を検索中....";
const char kBatchNoConnectionText[] = "接続オブジェクトを作成できませんでした";
const char kBatchNoRecordsetText[] = "【レコードセットの発生しないコマンドを実行】";
const char kBatchSucceededText[] = "正常終了";
const char kBatchErrorText[] = "【エラー】";
const char kBatchHeaderMark[] = "●";

namespace {
const char* OrEmpty(const char* text) { return text ? text : ""; }
}  // namespace

VornString BuildSelect(const char* selectList, const char* tableName, const char* whereText,
                       const char* orderText)
{
    VornString text("select ");
    text.Append(OrEmpty(selectList));
    text.Append(" from ");
    text.Append(OrEmpty(tableName));
    if (*OrEmpty(whereText)) {
        text.Append(" where ");
        text.Append(whereText);
    }
    if (*OrEmpty(orderText)) {
        text.Append(" order by ");
        text.Append(orderText);
    }
    return text;
}

bool TrimCommand(VornString& text)
{
    const char* bytes = text.Text();
    size_t end = sjis::TrimmedEnd(bytes, text.Length(), " ", true);
    size_t start = sjis::TrimmedStart(bytes, end, " ", true);
    VornString kept;
    kept.Assign(bytes + start, end - start);
    text = kept;
    return !text.IsEmpty();
}

int ClassifyExecuteFailure(DatabaseKind kind, const char* errorText)
{
    const char* text = OrEmpty(errorText);
    switch (kind) {
    case DatabaseKind::Excel:
    case DatabaseKind::Mdb:
        return sjis::Find(text, "既に存在") >= 0 ? 1 : 2;
    case DatabaseKind::SqlServer:
    case DatabaseKind::MySql:
    case DatabaseKind::Oracle:
        return sjis::Find(text, "呼び出しが失敗") >= 0 ? 1 : 2;
    case DatabaseKind::Postgres:
        return 1;
    default:
        return 2;
    }
}

VornString ComFailureFallbackText(unsigned long code)
{
    VornString text;
    if (code >= 0x80040200UL && code <= 0x8004FFFFUL)
        text.Format("IDispatch error #%d", static_cast<int>(code & 0xFFFF));
    else
        text.Format("Unknown error 0x%0lX", code);
    return text;
}

VornString StreamingConnectionString(DatabaseKind kind, const char* connectionString)
{
    VornString text(connectionString ? connectionString : "");
    if (kind != DatabaseKind::Postgres)
        return text;
    if (!text.IsEmpty() && !sjis::EndsWithChar(text.Text(), ';'))
        text.Append(";");
    text.Append("UseDeclareFetch=1;Fetch=1000");
    return text;
}

long CursorLocationFor(DatabaseKind kind)
{
    return kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb ? ado::adUseServer : ado::adUseClient;
}

bool HasBinaryColumn(const DefinitionRows& rows)
{
    for (const DefinitionRow& row : rows)
        if (row.size() > kDefAdoType && row[kDefAdoType].Equals("128"))
            return true;
    return false;
}

std::vector<VornString> SplitStatements(const char* text)
{
    TokenList fields(OrEmpty(text), ';');
    std::vector<VornString> pieces;
    pieces.reserve(fields.Count());
    for (int i = 0; i < fields.Count(); ++i)
        pieces.emplace_back(fields.Field(i));
    return pieces;
}

VornString TrimStatement(const char* piece)
{
    const char* bytes = OrEmpty(piece);
    size_t end = sjis::TrimmedEnd(bytes, strlen(bytes), " \r\n\t", false);
    size_t start = sjis::TrimmedStart(bytes, end, " \r\n\t", false);
    VornString text;
    text.Assign(bytes + start, end - start);
    return text;
}

int CountStatements(const std::vector<VornString>& pieces)
{
    int count = 0;
    for (const VornString& piece : pieces)
        if (!TrimStatement(piece).IsEmpty())
            ++count;
    return count;
}

VornString BatchCountText(int count)
{
    VornString text;
    text.Format("ｺﾏﾝﾄﾞ数:%d", count);
    return text;
}

VornString BatchProgressText(int pieces, int index)
{
    VornString text;
    text.Format("ｺﾏﾝﾄﾞ数:%d, 進捗率:%d %%", pieces, pieces > 0 ? index * 100 / pieces : 0);
    return text;
}

VornString BatchFinishedText(int count)
{
    VornString text;
    text.Format("ｺﾏﾝﾄﾞ数:%d 処理が終了しました", count);
    return text;
}

}  // namespace dblink
