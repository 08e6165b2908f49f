// The statement batch against both sample servers, and its cursor rules over a scripted
// backend.
#include <gtest/gtest.h>

#include "DbLinkTestSupport.h"
#include "common/SjisText.h"
#include "common/StatusBar.h"
#include "db/ScriptedBackend.h"

using namespace linktest;
using namespace ado;

namespace {

using Rows = std::vector<std::vector<std::string>>;

class BatchServer : public ::testing::TestWithParam<SampleServer> {
protected:
    void SetUp() override { ASSERT_TRUE(host.link.BuildConnection(GetParam().kind, GetParam().argument)); }
    std::string Q(const char* name) const
    {
        const char* quote = GetParam().kind == DatabaseKind::MySql ? "`" : "\"";
        return std::string(quote) + name + quote;
    }
    int Run(const std::string& text)
    {
        statuses.clear();
        host.link.sqlText = text.c_str();
        visible.clear();
        return host.link.RunBatch(host.grid, [this](const char* status) {
            statuses.push_back(status);
            visible.push_back(host.GridVisible());
        });
    }
    Rows AllRows() const
    {
        Rows rows;
        for (int row = 0; row < host.grid.RowCount(); ++row) {
            rows.emplace_back();
            for (int column = 0; column < host.grid.ColumnCount(); ++column)
                rows.back().push_back(host.grid.CellText(row, column).Text());
        }
        return rows;
    }

    LinkHost host;
    std::vector<std::string> statuses;
    std::vector<bool> visible;  // the list's visibility at each status text
};

}  // namespace

TEST_P(BatchServer, TwoSelectsEndingInSemicolonsAreTwoCommandsInThreePieces)
{
    std::string first = "select " + Q("番号") + " from " + Q("連番") + " where " + Q("番号") + " <= 2 order by 1";
    std::string second = "select " + Q("名前") + " from " + Q("連番") + " where " + Q("番号") + " = 3";
    ASSERT_EQ(2, Run(first + ";\r\n" + second + ";")) << host.link.ErrorText.Text();
    EXPECT_EQ((std::vector<std::string>{"ｺﾏﾝﾄﾞ数を検索中....", "ｺﾏﾝﾄﾞ数:2", "ｺﾏﾝﾄﾞ数:3, 進捗率:0 %",
                                        "ｺﾏﾝﾄﾞ数:3, 進捗率:33 %", "ｺﾏﾝﾄﾞ数:3, 進捗率:66 %",
                                        "ｺﾏﾝﾄﾞ数:2 処理が終了しました"}),
              statuses);
    // Hidden from the first statement to the end, so the list does not repaint per row.
    EXPECT_EQ((std::vector<bool>{true, true, false, false, false, true}), visible);
    EXPECT_EQ((Rows{{"●番号"}, {"1"}, {"2"}, {"●名前"}, {"行3"}}), AllRows());
    EXPECT_STREQ("", host.grid.ColumnTitle(0).Text());
    EXPECT_EQ(100, host.grid.ColumnWidth(0));
    EXPECT_EQ(1, host.link.recordCount);
    EXPECT_TRUE(host.GridVisible());
    EXPECT_EQ(adStateClosed, host.link.connection->State());

    // Without any semicolon the whole text is one statement.
    host.grid.Clear();
    ASSERT_EQ(1, Run(second));
    EXPECT_EQ((Rows{{"●名前"}, {"行3"}}), AllRows());
    EXPECT_EQ("ｺﾏﾝﾄﾞ数:1, 進捗率:0 %", statuses[2]);
}

TEST_P(BatchServer, FailingStatementInTheMiddleDoesNotStopTheBatch)
{
    std::string update = "update " + Q("連番") + " set " + Q("名前") + " = " + Q("名前") + " where " + Q("番号") + " = 1";
    std::string insert = "insert into " + Q("連番") + " values (1, 'x')";
    std::string select = "select " + Q("番号") + ", " + Q("名前") + " from " + Q("連番") + " where " + Q("番号") + " = 1";
    ASSERT_EQ(3, Run(update + ";\r\n" + insert + ";;\t" + select));
    Rows rows = AllRows();
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"【レコードセットの発生しないコマンドを実行】", "正常終了", update}), rows[0]);
    EXPECT_EQ("【エラー】", rows[1][0]);
    EXPECT_FALSE(rows[1][1].empty());
    EXPECT_EQ("\n", rows[1][1].substr(rows[1][1].size() - 1));
    EXPECT_EQ(insert, rows[1][2]);
    EXPECT_EQ((std::vector<std::string>{"●番号", "●名前", ""}), rows[2]);
    EXPECT_EQ((std::vector<std::string>{"1", "行1", ""}), rows[3]);
    // The empty piece between ";;" is counted in the progress but runs nothing.
    EXPECT_EQ((std::vector<std::string>{"ｺﾏﾝﾄﾞ数:4, 進捗率:0 %", "ｺﾏﾝﾄﾞ数:4, 進捗率:25 %",
                                        "ｺﾏﾝﾄﾞ数:4, 進捗率:50 %", "ｺﾏﾝﾄﾞ数:4, 進捗率:75 %"}),
              std::vector<std::string>(statuses.begin() + 2, statuses.end() - 1));
    EXPECT_EQ(rows[1][1] + "\n" + insert, std::string(host.link.ErrorText));
}

TEST_P(BatchServer, SemicolonInsideALiteralCutsTheStatementInTwo)
{
    ASSERT_EQ(2, Run("select 'a;b'"));
    Rows rows = AllRows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ("【エラー】", rows[0][0]);
    EXPECT_EQ("select 'a", rows[0][2]);
    EXPECT_EQ("【エラー】", rows[1][0]);
    EXPECT_EQ("b'", rows[1][2]);
}

TEST_P(BatchServer, ColumnsOnlyGrowAndEachResultStopsAtRowLimit)
{
    std::string narrow = "select " + Q("番号") + " from " + Q("連番") + " where " + Q("番号") + " = 2";
    std::string wide = "select * from " + Q("社員") + " where " + Q("社員番号") + " = 3";
    std::string many = "select a." + Q("番号") + " from " + Q("連番") + " a cross join " + Q("連番") + " b where b." +
                       Q("番号") + " <= 4";
    ASSERT_EQ(3, Run(narrow + ";" + wide + ";" + many));
    ASSERT_EQ(8, host.grid.ColumnCount());
    Rows rows = AllRows();
    ASSERT_EQ(2u + 2u + 51u, rows.size());
    EXPECT_EQ((std::vector<std::string>{"●番号", "", "", "", "", "", "", ""}), rows[0]);
    EXPECT_EQ("2", rows[1][0]);
    EXPECT_EQ("●社員番号", rows[2][0]);
    EXPECT_EQ("●備考", rows[2][7]);
    // NULLs of the third employee are empty cells.
    EXPECT_EQ((std::vector<std::string>{"3", "鈴木 ソ表", "", "", "", "3", "", ""}), rows[3]);
    EXPECT_EQ((std::vector<std::string>{"●番号", "", "", "", "", "", "", ""}), rows[4]);
    EXPECT_EQ("", rows.back()[1]);
    EXPECT_EQ(204, host.link.recordCount);
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(100, host.grid.ColumnWidth(column));
}

INSTANTIATE_TEST_SUITE_P(SampleServers, BatchServer, ::testing::ValuesIn(kSampleServers),
                         [](const ::testing::TestParamInfo<SampleServer>& info) { return std::string(info.param.name); });

TEST(StatementBatch, UnopenableConnectionAddsNothing)
{
    LinkHost host;
    host.grid.AddColumn("前", 80);
    host.grid.AddRow();
    host.link.BuildConnection(DatabaseKind::Postgres, "KestrovaNoSuchDsn,sample,kestrova,kestrova");
    host.link.sqlText = "select 1;select 2";
    std::vector<std::string> statuses;
    EXPECT_EQ(-1, host.link.RunBatch(host.grid, [&](const char* text) { statuses.push_back(text); }));
    EXPECT_EQ((std::vector<std::string>{"ｺﾏﾝﾄﾞ数を検索中....", "ｺﾏﾝﾄﾞ数:2", "接続オブジェクトを作成できませんでした"}),
              statuses);
    EXPECT_EQ(1, host.grid.ColumnCount());
    EXPECT_EQ(1, host.grid.RowCount());
    EXPECT_FALSE(host.link.ErrorText.IsEmpty());
    EXPECT_NE("接続は無効です", std::string(host.link.ErrorText));
    EXPECT_TRUE(host.GridVisible());
}

TEST(StatementBatch, CursorLocationPerKindAndTheStatementsThatRan)
{
    auto backend = std::make_shared<ScriptedBackend>();
    backend->AddRowset("select 1", ScriptedRowset().Column("x", adInteger).Row({"1"}));
    backend->FailStatement("bad", "構文エラー");
    Connection::SetDefaultBackend(backend);
    {
        LinkHost host;
        host.link.record.connectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=a.mdb;";
        const DatabaseKind kinds[] = {DatabaseKind::Excel,  DatabaseKind::Mdb,    DatabaseKind::SqlServer,
                                      DatabaseKind::MySql,  DatabaseKind::Oracle, DatabaseKind::Postgres};
        for (DatabaseKind kind : kinds) {
            host.link.record.kind = kind;
            backend->ClearRecord();
            host.link.sqlText = "\r\n select 1 ;\tbad\r\n;\r\n;delete from t";
            EXPECT_EQ(3, host.link.RunBatch(host.grid, nullptr));
            long expected = kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb ? adUseServer : adUseClient;
            EXPECT_EQ(expected, host.link.connection->CursorLocation()) << static_cast<int>(kind);
            EXPECT_EQ(expected, host.link.recordset->CursorLocation()) << static_cast<int>(kind);
            EXPECT_EQ((std::vector<std::string>{"select 1", "bad", "delete from t"}), backend->Statements());
            EXPECT_EQ("CLOSE", backend->Log().back());
        }
        EXPECT_EQ("構文エラー\n\nbad", std::string(host.link.ErrorText));

        // The main window's status bar is left with the closing text.
        StatusBar bar;
        ASSERT_TRUE(bar.Create(host.window.Handle(), 100));
        host.link.sqlText = "select 1;;";
        EXPECT_EQ(1, host.link.RunBatch(host.grid, &bar));
        EXPECT_STREQ("ｺﾏﾝﾄﾞ数:1 処理が終了しました", bar.SimpleText().Text());
    }
    Connection::SetDefaultBackend(nullptr);
}
