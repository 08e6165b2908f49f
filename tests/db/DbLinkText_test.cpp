// The window-free rules of the database link and the statement batch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbLinkText.h"

using namespace dblink;

namespace {

std::vector<std::string> Texts(const std::vector<VornString>& pieces)
{
    std::vector<std::string> texts;
    for (const VornString& piece : pieces)
        texts.push_back(piece.Text());
    return texts;
}

}  // namespace

TEST(DbLinkText, BuiltSelectAddsWhereAndOrderOnlyWhenGiven)
{
    EXPECT_STREQ("select * from \"社員\"", BuildSelect("*", "\"社員\"", "", "").Text());
    EXPECT_STREQ("select \"番号\", \"名前\" from \"連番\" where \"番号\" > 5 order by \"番号\" desc",
                 BuildSelect("\"番号\", \"名前\"", "\"連番\"", "\"番号\" > 5", "\"番号\" desc").Text());
    EXPECT_STREQ("select * from [表] order by [ソ]", BuildSelect("*", "[表]", nullptr, "[ソ]").Text());
    EXPECT_STREQ("select a from t where x = 'It''s'", BuildSelect("a", "t", "x = 'It''s'", nullptr).Text());
}

TEST(DbLinkText, CommandTrimTakesHalfWidthAndIdeographicSpacesOnly)
{
    struct Case {
        const char* text;
        const char* trimmed;
        bool remains;
    } cases[] = {
        {" 　 ", "", false},
        {"", "", false},
        {"　select 1　 ", "select 1", true},
        // Tabs and line breaks are not trimmed here (the batch trims those).
        {"\tselect 1\r\n", "\tselect 1\r\n", true},
        // ソ ends in 0x5C and 表 in 0x5C: their trail bytes are no spaces to cut.
        {"  表 ソ　", "表 ソ", true},
        // "＝@" is 81 81 40: its last two bytes look like an ideographic space but are not one.
        {"＝@", "＝@", true},
        {"＝@　", "＝@", true},
    };
    for (const Case& c : cases) {
        VornString text(c.text);
        EXPECT_EQ(c.remains, TrimCommand(text)) << c.text;
        EXPECT_STREQ(c.trimmed, text.Text()) << c.text;
    }
}

TEST(DbLinkText, ExportFailuresAreToleratedPerKind)
{
    const char* exists = "テーブル '社員' は既に存在します。";
    const char* callFailed = "[Microsoft][ODBC SQL Server Driver]呼び出しが失敗しました";
    const char* other = "構文エラー";
    struct Case {
        DatabaseKind kind;
        int exists, callFailed, other;
    } cases[] = {
        {DatabaseKind::Excel, 1, 2, 2},     {DatabaseKind::Mdb, 1, 2, 2},
        {DatabaseKind::SqlServer, 2, 1, 2}, {DatabaseKind::MySql, 2, 1, 2},
        {DatabaseKind::Oracle, 2, 1, 2},    {DatabaseKind::Postgres, 1, 1, 1},
        {DatabaseKind::None, 2, 2, 2},
    };
    for (const Case& c : cases) {
        int kind = static_cast<int>(c.kind);
        EXPECT_EQ(c.exists, ClassifyExecuteFailure(c.kind, exists)) << kind;
        EXPECT_EQ(c.callFailed, ClassifyExecuteFailure(c.kind, callFailed)) << kind;
        EXPECT_EQ(c.other, ClassifyExecuteFailure(c.kind, other)) << kind;
        EXPECT_EQ(c.kind == DatabaseKind::Postgres ? 1 : 2, ClassifyExecuteFailure(c.kind, "")) << kind;
    }
}

TEST(DbLinkText, ComFailuresWithoutSystemTextAreNamedByTheirCode)
{
    EXPECT_STREQ("IDispatch error #512", ComFailureFallbackText(0x80040200UL).Text());
    EXPECT_STREQ("IDispatch error #3604", ComFailureFallbackText(0x80040E14UL).Text());
    EXPECT_STREQ("IDispatch error #65535", ComFailureFallbackText(0x8004FFFFUL).Text());
    EXPECT_STREQ("Unknown error 0x800401FF", ComFailureFallbackText(0x800401FFUL).Text());
    EXPECT_STREQ("Unknown error 0x80050000", ComFailureFallbackText(0x80050000UL).Text());
    EXPECT_STREQ("Unknown error 0x800A0E7A", ComFailureFallbackText(0x800A0E7AUL).Text());
}

TEST(DbLinkText, JetKindsUseServerCursorsAndTheOthersClientCursors)
{
    EXPECT_STREQ("DSN=pg;UID=u;UseDeclareFetch=1;Fetch=1000",
                 StreamingConnectionString(DatabaseKind::Postgres, "DSN=pg;UID=u"));
    EXPECT_STREQ("DSN=pg;UseDeclareFetch=1;Fetch=1000", StreamingConnectionString(DatabaseKind::Postgres, "DSN=pg;"));
    EXPECT_STREQ("DSN=ora;UID=u", StreamingConnectionString(DatabaseKind::Oracle, "DSN=ora;UID=u"));
    EXPECT_EQ(2, CursorLocationFor(DatabaseKind::Excel));
    EXPECT_EQ(2, CursorLocationFor(DatabaseKind::Mdb));
    EXPECT_EQ(3, CursorLocationFor(DatabaseKind::SqlServer));
    EXPECT_EQ(3, CursorLocationFor(DatabaseKind::MySql));
    EXPECT_EQ(3, CursorLocationFor(DatabaseKind::Oracle));
    EXPECT_EQ(3, CursorLocationFor(DatabaseKind::Postgres));
}

TEST(DbLinkText, BinaryColumnIsFoundOnlyInTheTypeCell)
{
    DefinitionRows rows(2, EmptyDefinitionRow());
    rows[0][kDefAdoType] = "3";
    rows[1][kDefAdoType] = "205";
    rows[1][kDefSize] = "128";
    EXPECT_FALSE(HasBinaryColumn(rows));
    rows[1][kDefAdoType] = "1280";
    EXPECT_FALSE(HasBinaryColumn(rows));
    rows[1][kDefAdoType] = "128";
    EXPECT_TRUE(HasBinaryColumn(rows));
    EXPECT_FALSE(HasBinaryColumn(DefinitionRows()));
}

TEST(DbLinkText, BatchSplitsAtEverySemicolonWhateverSurroundsIt)
{
    EXPECT_EQ((std::vector<std::string>{"select 1", "\r\nselect 2", ""}),
              Texts(SplitStatements("select 1;\r\nselect 2;")));
    EXPECT_EQ((std::vector<std::string>{"select 1"}), Texts(SplitStatements("select 1")));
    EXPECT_EQ((std::vector<std::string>{""}), Texts(SplitStatements("")));
    EXPECT_EQ((std::vector<std::string>{"a", "", " ", "b"}), Texts(SplitStatements("a;; ;b")));
    // Quotes, comments and GO lines are not understood.
    EXPECT_EQ((std::vector<std::string>{"insert into t values ('a", "b')"}),
              Texts(SplitStatements("insert into t values ('a;b')")));
    EXPECT_EQ((std::vector<std::string>{"-- x", " y\r\nGO\r\nz"}), Texts(SplitStatements("-- x; y\r\nGO\r\nz")));
    // Double-byte text around the separator stays whole.
    EXPECT_EQ((std::vector<std::string>{"select '表ソ'", "select 'ー'"}),
              Texts(SplitStatements("select '表ソ';select 'ー'")));
}

TEST(DbLinkText, BatchCountsPiecesThatAreNotBlank)
{
    std::vector<VornString> pieces = SplitStatements(" select 1 ;\r\n\t;select 2;\r\n");
    ASSERT_EQ(4u, pieces.size());
    EXPECT_EQ(2, CountStatements(pieces));
    EXPECT_STREQ("select 1", TrimStatement(pieces[0]).Text());
    EXPECT_STREQ("", TrimStatement(pieces[1]).Text());
    // The ideographic space is no blank to the batch.
    EXPECT_STREQ("　", TrimStatement("\t　\r\n").Text());
    EXPECT_EQ(1, CountStatements(SplitStatements("　")));
    EXPECT_EQ(0, CountStatements(SplitStatements("")));
}

TEST(DbLinkText, BatchStatusTexts)
{
    EXPECT_STREQ("ｺﾏﾝﾄﾞ数:2", BatchCountText(2).Text());
    EXPECT_STREQ("ｺﾏﾝﾄﾞ数:3, 進捗率:0 %", BatchProgressText(3, 0).Text());
    EXPECT_STREQ("ｺﾏﾝﾄﾞ数:3, 進捗率:33 %", BatchProgressText(3, 1).Text());
    EXPECT_STREQ("ｺﾏﾝﾄﾞ数:3, 進捗率:66 %", BatchProgressText(3, 2).Text());
    EXPECT_STREQ("ｺﾏﾝﾄﾞ数:1, 進捗率:0 %", BatchProgressText(1, 0).Text());
    EXPECT_STREQ("ｺﾏﾝﾄﾞ数:2 処理が終了しました", BatchFinishedText(2).Text());
}
