// The INSERT writer and the statement-file runner over the sample PostgreSQL and MariaDB
// databases: a table of the common types written out, emptied, loaded back from its own
// file and written out again byte for byte; failing statements in the ".err" file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/TextFile.h"
#include "schema/NameQuoting.h"
#include "schema/SchemaBrowser.h"
#include "structure/CreateTableDialog.h"
#include "transfer/InsertWriter.h"
#include "transfer/StatementFileRunner.h"

namespace {

struct Server {
    DatabaseKind kind;
    const char* argument;
    const char* create;
    const char* rows;
    const char* expected;   // the file the writer gives, CR LF
};

const Server kServers[] = {
    {DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova",
     "create table \"挿入元\" (\"番号\" serial primary key, \"名\" varchar(20), \"額\" numeric(15,2), "
     "\"大\" numeric(34,12), \"日\" date, \"記録\" timestamp, \"可否\" boolean, \"倍\" float8, \"空\" varchar(5))",
     "insert into \"挿入元\" (\"名\",\"額\",\"大\",\"日\",\"記録\",\"可否\",\"倍\",\"空\") values "
     "('O''Brien ソ表', 1234567890123.45, 1234567890123456789012.012345678901, '2024-02-29', now(), true, 0.1, ''),"
     "(NULL, -0.05, NULL, NULL, NULL, false, 1e300, NULL)",
     "insert into \"挿入元\" (\"名\",\"額\",\"大\",\"日\",\"可否\",\"倍\",\"空\") "
     "values('O''Brien ソ表',1234567890123.45,1234567890123456789012.012345678901,'2024/02/29','1',0.1,'');\r\n"
     "insert into \"挿入元\" (\"名\",\"額\",\"大\",\"日\",\"可否\",\"倍\",\"空\") "
     "values(NULL,-0.05,NULL,NULL,'0',1e+300,NULL);\r\n"},
    {DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova",
     "create table `挿入元` (`番号` int primary key, `名` varchar(20), `額` decimal(15,2), "
     "`大` decimal(34,12), `日` date, `記録` datetime, `可否` tinyint, `倍` double, `空` varchar(5))",
     "insert into `挿入元` values "
     "(1, 'O''Brien ソ表\\\\', 1234567890123.45, 1234567890123456789012.012345678901, '2024-02-29', "
     "'2024-02-29 13:45:07', 1, 0.1, ''),"
     "(2, NULL, -0.05, NULL, NULL, NULL, 0, 1e300, NULL)",
     "insert into `挿入元` (`番号`,`名`,`額`,`大`,`日`,`記録`,`可否`,`倍`,`空`) values(1,'O''Brien ソ表\\\\',"
     "1234567890123.45,1234567890123456789012.012345678901,'2024/02/29','2024/02/29 13:45:07',1,0.1,'');\r\n"
     "insert into `挿入元` (`番号`,`名`,`額`,`大`,`日`,`記録`,`可否`,`倍`,`空`) "
     "values(2,NULL,-0.05,NULL,NULL,NULL,0,1e+300,NULL);\r\n"},
};

class InsertWriterTest : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(link_.BuildConnection(GetParam().kind, GetParam().argument));
        link_.messageSink = [this](HWND, const char* text) { messages_.push_back(text); };
        Run("drop table " + Table());
        ASSERT_TRUE(Run(GetParam().create)) << link_.ErrorText.Text();
        ASSERT_TRUE(Run(GetParam().rows)) << link_.ErrorText.Text();
    }
    void TearDown() override { Run("drop table " + Table()); }

    bool Run(const std::string& sql)
    {
        link_.sqlText = sql.c_str();
        return link_.ExecuteSqlText() == 0;
    }
    std::string Table() const { return EncloseName(GetParam().kind, "挿入元").Text(); }
    DefinitionRows Definition()
    {
        GridView list(window_.Handle(), 0, 0, 0, 0);
        link_.tableName = "挿入元";
        link_.ShowDefinition(list, -1, GetParam().kind == DatabaseKind::Postgres ? "public" : "");
        return ReadDefinitionView(&list);
    }
    std::string Write(const char* name, const std::string& table)
    {
        const std::string path = ScratchPath(name);
        TextFile file;
        EXPECT_TRUE(file.OpenWrite(path.c_str()));
        written_ = WriteInsertStatements(link_, GetParam().kind, table.c_str(), Definition(), file);
        file.Close();
        return path;
    }

    RecordingWindow window_{"挿入", false};
    SchemaBrowser link_;
    std::vector<std::string> messages_;
    bool written_ = false;
};

}  // namespace

TEST_P(InsertWriterTest, RowsRoundTripThroughTheirOwnStatementFile)
{
    const std::string first = Write("挿入.sql", Table());
    EXPECT_TRUE(written_);
    EXPECT_EQ(GetParam().expected, ReadBytes(first));

    ASSERT_TRUE(Run("delete from " + Table()));
    if (GetParam().kind == DatabaseKind::Postgres) {
        ASSERT_TRUE(Run("alter sequence \"挿入元_番号_seq\" restart"));
    }
    EXPECT_EQ(0, RunStatementFile(nullptr, link_, ("\"" + first + "\"").c_str()));
    EXPECT_EQ("<missing>", ReadBytes(ScratchPath("挿入.err"))) << "no failure, no error file";
    EXPECT_EQ(GetParam().expected, ReadBytes(Write("挿入2.sql", Table())));
    EXPECT_TRUE(messages_.empty());
}

TEST_P(InsertWriterTest, FailingStatementsLandInTheErrorFileAndTheRestStillRuns)
{
    const std::string path = ScratchPath("混在.sql");
    const std::string name = EncloseName(GetParam().kind, "名").Text();
    const std::string number = GetParam().kind == DatabaseKind::MySql ? ",`番号`" : "";
    const std::string key = GetParam().kind == DatabaseKind::MySql ? ",7" : "";
    WriteBytes(path, "-- 二行目は失敗する\r\ndelete from " + Table() + ";\r\ninsert into \"無い表\" values(1);\r\n"
                     "insert into " + Table() + " (" + name + ") values('a;b');\r\ninsert into " + Table() +
                     " (" + name + number + ")\r\n values('最後'" + key + ")");
    const int failures = RunStatementFile(nullptr, link_, path.c_str());
    // The ";" inside the literal cuts that statement in two: both halves fail.
    EXPECT_EQ(3, failures);
    const std::string errors = ReadBytes(ScratchPath("混在.err"));
    EXPECT_EQ(3u, std::count(errors.begin(), errors.end(), '\n')) << errors;
    EXPECT_EQ(std::string::npos, errors.find("\r\r")) << errors;
    EXPECT_NE(std::string::npos, errors.find("無い表")) << errors;
    TextFile file;
    ASSERT_TRUE(file.OpenWrite(ScratchPath("残り.sql").c_str()));
    WriteInsertStatements(link_, GetParam().kind, Table().c_str(), Definition(), file);
    file.Close();
    const std::string rest = ReadBytes(ScratchPath("残り.sql"));
    EXPECT_NE(std::string::npos, rest.find("'最後'")) << rest;
    EXPECT_EQ(1u, std::count(rest.begin(), rest.end(), '\n')) << rest;
}

TEST_P(InsertWriterTest, UnreadableTablesAndFilesAreReported)
{
    const std::string path = Write("無い.sql", "\"無い表\"");
    EXPECT_FALSE(written_);
    EXPECT_EQ("-- レコードセットを取得できませんでした (\"無い表\") \r\n\r\n", ReadBytes(path));

    const std::string missing = ScratchPath("無いファイル.sql");
    EXPECT_EQ(-1, RunStatementFile(nullptr, link_, missing.c_str()));
    ASSERT_EQ(1u, messages_.size());
    EXPECT_EQ(missing + " のオープンに失敗しました　　", messages_[0]);
}

INSTANTIATE_TEST_SUITE_P(Servers, InsertWriterTest, ::testing::ValuesIn(kServers),
                         [](const ::testing::TestParamInfo<Server>& info) {
                             return std::string(info.param.kind == DatabaseKind::Postgres ? "Postgres" : "MariaDb");
                         });
