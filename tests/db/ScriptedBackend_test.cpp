// The scripted backend behind the same Connection and Recordset, as the tests of
// SQL Server, Oracle, Excel and MDB readers use it.
#include "AdoTestSupport.h"
#include "db/ScriptedBackend.h"

#include <gtest/gtest.h>

using namespace adotest;
using namespace ado;

namespace {

const char* kObjects = "select * from USER_OBJECTS where OBJECT_TYPE in ('SYNONYM','TABLE','VIEW') order by OBJECT_TYPE";

std::shared_ptr<ScriptedBackend> OracleLike()
{
    auto backend = std::make_shared<ScriptedBackend>();
    backend->AddRowset(kObjects, ScriptedRowset()
                                     .Column("OBJECT_NAME", adVarChar, 128)
                                     .Column("OBJECT_TYPE", adVarChar, 19)
                                     .Column("CREATED", adDBTimeStamp)
                                     .Column("OBJECT_ID", adNumeric, 10)
                                     .Row({"社員", "TABLE", "2024-01-05 09:30:00", "12"})
                                     .Row({"売上表", "TABLE", nullptr, "7"})
                                     .Row({"V_一覧", "VIEW", "2023-12-31 00:00:00", "30"}));
    return backend;
}

}  // namespace

TEST(ScriptedBackend, CannedRowsetServesRecordsetWithTypedValues)
{
    auto backend = OracleLike();
    Connection connection;
    ASSERT_TRUE(connection.SetBackend(backend));
    ASSERT_TRUE(SUCCEEDED(connection.Open("Provider=MSDASQL;DSN=ORA;UID=scott;PWD=tiger;")));
    Recordset rs;
    rs.SetCursorLocation(adUseClient);
    ASSERT_TRUE(SUCCEEDED(rs.Open(kObjects, &connection, adOpenKeyset, adLockOptimistic, adCmdText)));
    EXPECT_EQ(adStateOpen, rs.State());
    EXPECT_EQ(adOpenStatic, rs.CursorType());
    EXPECT_EQ(&connection, rs.ActiveConnection());
    EXPECT_EQ(3, rs.RecordCount());
    ASSERT_EQ(4, rs.Fields().Count());
    EXPECT_EQ(rs.Fields().Item(1), rs.Fields().Item("object_type"));
    EXPECT_EQ(nullptr, rs.Fields().Item("NO_SUCH"));
    EXPECT_EQ(U("社員"), BstrOf(rs.Fields().Item("OBJECT_NAME")->Value()));
    EXPECT_EQ(VT_DATE, rs.Fields().Item("CREATED")->Value().vt);
    EXPECT_EQ(VT_DECIMAL, rs.Fields().Item("OBJECT_ID")->Value().vt);
    rs.MoveNext();
    EXPECT_EQ(VT_NULL, rs.Fields().Item("CREATED")->Value().vt);

    ASSERT_TRUE(SUCCEEDED(rs.SetSort("OBJECT_TYPE DESC, OBJECT_ID")));
    EXPECT_EQ(U("V_一覧"), BstrOf(rs.Fields().Item("OBJECT_NAME")->Value()));
    rs.MoveNext();
    EXPECT_EQ(U("売上表"), BstrOf(rs.Fields().Item("OBJECT_NAME")->Value()));
    rs.MoveNext();
    EXPECT_EQ(U("社員"), BstrOf(rs.Fields().Item("OBJECT_NAME")->Value()));
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(FAILED(rs.SetSort("NO_SUCH")));

    // a second run of the same statement gets the same rows again
    Recordset again;
    ASSERT_TRUE(SUCCEEDED(again.Open(kObjects, &connection, adOpenKeyset, adLockOptimistic, adCmdText)));
    EXPECT_EQ(3, again.RecordCount());
    EXPECT_EQ((std::vector<std::string>{kObjects, kObjects}), backend->Statements());
}

TEST(ScriptedBackend, RecordsEveryStatementInOrderAndFailsTheScriptedOnes)
{
    auto backend = std::make_shared<ScriptedBackend>();
    backend->FailStatement("insert into [表] values (1)", "[Microsoft][ODBC SQL Server Driver]既に存在します");
    Connection connection;
    connection.SetBackend(backend);
    ASSERT_TRUE(SUCCEEDED(connection.Open("Provider=SQLOLEDB;Data Source=s;Initial Catalog=d;User ID=u;Password=p;")));
    EXPECT_TRUE(SUCCEEDED(connection.Execute("create table [表] (a int)", nullptr, adExecuteNoRecords)));
    EXPECT_TRUE(FAILED(connection.Execute("insert into [表] values (1)", nullptr, adExecuteNoRecords)));
    ASSERT_EQ(1, connection.Errors().Count());
    EXPECT_STREQ("[Microsoft][ODBC SQL Server Driver]既に存在します", connection.Errors().Item(0)->Description());
    Recordset rs;
    EXPECT_TRUE(FAILED(rs.Open("insert into [表] values (1)", &connection, adOpenKeyset, adLockOptimistic, adCmdText)));
    EXPECT_EQ(adStateClosed, rs.State());
    // an unknown statement runs without rows
    EXPECT_TRUE(SUCCEEDED(rs.Open("sp_columns [表]", &connection, adOpenKeyset, adLockOptimistic, adCmdText)));
    EXPECT_EQ(adStateClosed, rs.State());

    ASSERT_TRUE(SUCCEEDED(connection.BeginTrans()));
    Command command(connection);
    ASSERT_TRUE(SUCCEEDED(command.Prepare("delete from [表]")));
    EXPECT_TRUE(SUCCEEDED(command.Execute()));
    ASSERT_TRUE(SUCCEEDED(connection.RollbackTrans()));
    connection.Close();

    EXPECT_EQ((std::vector<std::string>{"create table [表] (a int)", "insert into [表] values (1)",
                                        "insert into [表] values (1)", "sp_columns [表]", "delete from [表]"}),
              backend->Statements());
    EXPECT_EQ("OPEN Provider=SQLOLEDB;Data Source=s;Initial Catalog=d;User ID=u;Password=p;", backend->Log().front());
    EXPECT_EQ((std::vector<std::string>{"BEGIN", "PREPARE delete from [表]", "SQL delete from [表]", "ROLLBACK", "CLOSE"}),
              std::vector<std::string>(backend->Log().end() - 5, backend->Log().end()));
}

TEST(ScriptedBackend, SchemaRowsetsAnswerOnlyTheirExactRestrictions)
{
    auto backend = std::make_shared<ScriptedBackend>();
    backend->AddSchemaRowset(adSchemaTables, {},
                             ScriptedRowset()
                                 .Column("TABLE_CATALOG", adVarWChar)
                                 .Column("TABLE_SCHEMA", adVarWChar)
                                 .Column("TABLE_NAME", adVarWChar)
                                 .Column("TABLE_TYPE", adVarWChar)
                                 .Row({nullptr, nullptr, "MSysObjects", "SYSTEM TABLE"})
                                 .Row({nullptr, nullptr, "表ソ", "TABLE"}));
    backend->AddSchemaRowset(adSchemaPrimaryKeys, {"", "", "表ソ"},
                             ScriptedRowset()
                                 .Column("COLUMN_NAME", adVarWChar)
                                 .Column("ORDINAL", adUnsignedInt)
                                 .Row({"番号", "1"}));
    Connection connection;
    connection.SetBackend(backend);
    ASSERT_TRUE(SUCCEEDED(connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a.mdb;")));

    Recordset tables;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaTables, nullptr, tables)));
    EXPECT_EQ(2, tables.RecordCount());
    EXPECT_EQ(L"SYSTEM TABLE", BstrOf(tables.Fields().Item("TABLE_TYPE")->Value()));

    Recordset keys;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaPrimaryKeys, {nullptr, nullptr, "表ソ", nullptr}, keys)))
        << ErrorsOf(connection);
    EXPECT_EQ(VT_UI4, keys.Fields().Item("ORDINAL")->Value().vt);
    EXPECT_EQ(1u, keys.Fields().Item("ORDINAL")->Value().ulVal);

    Recordset other;
    EXPECT_TRUE(FAILED(connection.OpenSchema(adSchemaPrimaryKeys, {nullptr, nullptr, "社員"}, other)));
    EXPECT_EQ(adStateClosed, other.State());
    EXPECT_EQ("ScriptedBackend: no rowset for SCHEMA 28 (,,社員)", std::string(connection.Errors().Item(0)->Description()));
    EXPECT_EQ("SCHEMA 28 (,,表ソ)", backend->Log()[2]);
}

TEST(ScriptedBackend, DefaultBackendServesConnectionsCreatedLaterAndFailsOpenOnRequest)
{
    auto backend = std::make_shared<ScriptedBackend>();
    backend->FailOpen("[Microsoft][ODBC Excel Driver] ファイルが見つかりません");
    std::shared_ptr<Backend> previous = Connection::SetDefaultBackend(backend);
    {
        Connection connection;
        EXPECT_EQ(backend.get(), connection.GetBackend());
        EXPECT_TRUE(FAILED(connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=x.xls;Extended Properties=\"Excel 8.0;\"")));
        EXPECT_EQ(adStateClosed, connection.State());
        EXPECT_STREQ("[Microsoft][ODBC Excel Driver] ファイルが見つかりません", connection.Errors().Item(0)->Description());
    }
    Connection::SetDefaultBackend(previous);
    Connection later;
    EXPECT_NE(backend.get(), later.GetBackend());
}

TEST(ScriptedBackend, ForwardOnlyCursorReportsMinusOneAndStreamsRows)
{
    auto backend = std::make_shared<ScriptedBackend>();
    ScriptedRowset numbers;
    numbers.Column("N", adInteger);
    for (const char* n : {"1", "2", "3"})
        numbers.Row(std::vector<const char*>{n});
    backend->AddRowset("select N", numbers);
    Connection connection;
    connection.SetBackend(backend);
    connection.Open("DSN=x;");
    Recordset rs;
    ASSERT_TRUE(SUCCEEDED(connection.Execute("select N", nullptr, adCmdText, &rs)));
    EXPECT_EQ(adOpenForwardOnly, rs.CursorType());
    EXPECT_EQ(-1, rs.RecordCount());
    EXPECT_FALSE(rs.Bof());
    long sum = 0;
    for (; !rs.Eof(); rs.MoveNext())
        sum += rs.Fields().Item("n")->Value().lVal;
    EXPECT_EQ(6, sum);
    EXPECT_TRUE(FAILED(rs.MoveNext()));
    // adExecuteNoRecords never opens the recordset
    Recordset none;
    EXPECT_TRUE(SUCCEEDED(connection.Execute("select N", nullptr, adExecuteNoRecords, &none)));
    EXPECT_EQ(adStateClosed, none.State());
}
