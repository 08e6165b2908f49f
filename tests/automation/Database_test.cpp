// The Database object against the project's sample databases (PostgreSQL and MariaDB
// through their DSNs): text with double-byte characters, an apostrophe and a NULL there and
// back, walking rows, list text, SQL script files and every failure a script can meet.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ScriptRun.h"
#include "TestSupport.h"

namespace {

using namespace vornscript;

const char kText[] = "①～㈱髙表ソ";

Results RunAgainst(const char* kind, const char* target)
{
    std::string folder = ScratchPath("database");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteBytes(folder + "\\script.sql",
               "-- rows for the walk; a comment's ; is no statement end\n"
               "insert into vorn_rows (id, name) values (10, 'a'); insert into vorn_rows (id, name)\n"
               "  values (11, '表');\n"
               "insert into no_such_table (id) values (1);\n"
               "\n"
               "insert into vorn_rows (id, name) values (12, 'z')\n");
    WriteBytes(folder + "\\clean.sql", "delete from vorn_rows where id >= 10;");
    RemoveFile(folder + "\\script.log");
    RemoveFile(folder + "\\missing.log");
    Results r = RunScript("Database.vbs", std::string(kind) + "|" + target + "|" + kText + "|" + folder);
    // One line per failed statement, whatever line breaks the driver's message held.
    std::string log = ReadBytes(folder + "\\script.log");
    EXPECT_GT(log.size(), 2u);
    EXPECT_EQ(log.size() - 2, log.find("\r\n")) << log;
    EXPECT_EQ(log.size() - 1, log.find('\n')) << log;
    EXPECT_EQ(folder + "\\absent.sql\r\n", ReadBytes(folder + "\\missing.log"));
    return r;
}

void ExpectTheSameOnEveryKind(const Results& r)
{
    const std::string noRecordset = Str("ERROR:レコードセットは無効です"), closed = Str("ERROR:接続が閉じています");
    const std::string sqlErrors = Str("ERROR:SQLエラー有"), needsNumber = Str("ERROR:引数には数値を指定して下さい");
    const std::string noField = Str("ERROR:指定されたフィールドがありません");
    const std::string wrongMax = Str("ERROR:nMaxに対するデータ型に誤りがあります");
    const std::string text = kText;
    ExpectAll(r, {
        {"Unconnected.Query", Long(0)}, {"Unconnected.GetText", noRecordset}, {"Unconnected.Load", closed},
        {"Unconnected.Execute", sqlErrors}, {"WrongDsn.empty", kFalse}, {"Connect", Str("")},
        {"Drop", Long(-1)}, {"Create", Long(-1)},
        {"Insert.text", Long(-1)}, {"Insert.apostrophe", Long(-1)}, {"Insert.null", Long(-1)},
        {"Stored", Str("n\tnulls\n6\t1\n")}, {"Update", Long(-1)},
        {"Query", Long(-1)}, {"FieldCount", Long(2)},
        {"GetName.0", Str("id")}, {"GetName.1", Str("name")}, {"GetName.2", noField},
        {"GetName.text", needsNumber}, {"GetName.omitted", needsNumber},
        {"Row1.byIndex", Str(text)}, {"Row1.omitted", Str("1")}, {"Row1.same", kTrue}, {"Row1.byName", Str(text)},
        {"Row1.missingField", noField}, {"Row1.null", kConversionFailed}, {"Connect.badKind", kTypeMismatch},
        {"Next1", Long(-1)}, {"Row2", Str("it's")}, {"Next2", Long(-1)}, {"Row3", Str("")}, {"Row3.id", Str("3")},
        {"Next3", Long(0)}, {"AfterEnd", Str("ERROR:現在のレコードがありません")}, {"AfterEnd.Next", Long(0)},
        {"Empty", Long(0)}, {"Empty.FieldCount", Long(1)},
        {"BadSql", Long(0)}, {"BadSql.GetText", noRecordset},
        {"Load", Str("id\tname\n1\t" + text + "\n2\tit's\n3\t\n")},
        {"Load.max1", Str("id\tname\r\n1\t" + text + "\r\n")}, {"Load.maxLong", Str("id\n1\n2\n3\n")},
        {"Load.maxText", wrongMax}, {"Load.maxDouble", wrongMax},
        {"Load.badSql.prefix", Str("ERROR:")}, {"Load.badSql.length", kTrue},
        {"Execute", sqlErrors}, {"Execute.rows", Str("id\tname\n10\ta\n11\t表\n12\tz\n")},
        {"Execute.clean", Str("")}, {"Execute.missing", Str("ERROR:ファイルのオープンに失敗しました")},
        {"Execute.badLog", Str("ERROR:ログファイルのオープンに失敗しました")},
        {"Closed.FieldCount", Long(0)}, {"Closed.GetName", noRecordset}, {"Closed.Next", Long(0)},
        {"Drop.end", Long(-1)},
        {"DisConnected.Query", Long(0)}, {"DisConnected.Load", closed}, {"DisConnected.Execute", sqlErrors},
        {"Unknown kind", kFalse},
    });
}

TEST(DatabaseObject, PostgreSqlRowsScriptsAndFailures)
{
    ExpectTheSameOnEveryKind(RunAgainst("5", "KestrovaPg,sample,kestrova,kestrova"));
}

TEST(DatabaseObject, MariaDbRowsScriptsAndFailures)
{
    ExpectTheSameOnEveryKind(RunAgainst("3", "KestrovaMy,sample,kestrova,kestrova"));
}

}  // namespace
