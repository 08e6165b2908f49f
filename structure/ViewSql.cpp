#include "ViewSql.h"

#include "../common/SjisText.h"
#include "../schema/NameQuoting.h"

const char kViewCreated[] = "処理が正常に終了しました　　";

namespace {

const char kNotSql[] = "実行タイプが SQL ではありません　　";
const char kNoText[] = "コマンドエリアに記述がありません　　";
const char kNoViewName[] = "ビュー名を入力して下さい　　";

VornString TrimmedQuery(const char* text)
{
    VornString query(text ? text : "");
    size_t length = query.Length();
    size_t end = sjis::TrimmedEnd(query.Text(), length, " \t\r\n", true);
    size_t start = sjis::TrimmedStart(query.Text(), end, " \t\r\n", true);
    VornString result;
    result.Append(query.Text() + start, end - start);
    return result;
}

}  // namespace

bool ViewCreationOffered(DatabaseKind kind)
{
    return kind == DatabaseKind::Mdb || kind == DatabaseKind::SqlServer || kind == DatabaseKind::Oracle ||
           kind == DatabaseKind::Postgres;
}

const char* ViewCommandProblem(const char* executionType, const char* preparedText)
{
    if (!VornString(executionType ? executionType : "").Equals("SQL"))
        return kNotSql;
    return TrimmedQuery(preparedText).IsEmpty() ? kNoText : nullptr;
}

BuildOutcome BuildCreateView(const DdlTarget& target, const char* viewName, const char* preparedText,
                             VornString& text)
{
    BuildOutcome outcome;
    VornString name = TrimmedCell(viewName);
    if (name.IsEmpty()) {
        outcome.message = kNoViewName;
        outcome.focus = BuildFocus::TableName;
        return outcome;
    }
    text = "create view ";
    text.Append(EncloseName(target.kind, name, target.excelThroughDsn));
    text.Append(" as ");
    text.Append(TrimmedQuery(preparedText));
    return outcome;
}
