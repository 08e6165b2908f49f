// The layer against the sample PostgreSQL and MariaDB through odbc32.
#include "AdoTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "db/OdbcBackend.h"

using namespace adotest;
using namespace ado;

namespace {

double DateOf(int year, int month, int day, int hour = 0, int minute = 0)
{
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    double serial = 0;
    SystemTimeToVariantTime(&t, &serial);
    return serial;
}

double DecimalOf(const VARIANT& v)
{
    double d = -1;
    VarR8FromDec(const_cast<DECIMAL*>(&v.decVal), &d);
    return d;
}

// Runs one statement that returns no rows, failing the test with the driver's text.
void RunSql(Connection& c, const std::string& sql)
{
    EXPECT_TRUE(SUCCEEDED(c.Execute(sql.c_str(), nullptr, adExecuteNoRecords))) << sql << "\n" << ErrorsOf(c);
}

long CountRows(Connection& c, const std::string& sql)
{
    Recordset rs;
    if (FAILED(rs.Open(sql.c_str(), &c, adOpenKeyset, adLockOptimistic, adCmdText)) || rs.Eof())
        return -99;
    Variant value;
    VariantChangeType(&value.Get(), const_cast<VARIANT*>(&rs.Fields().Item(0L)->Value()), 0, VT_I4);
    return value.Get().lVal;
}

std::wstring Repeated(const char* cp932, int times)
{
    std::wstring text;
    while (times-- > 0)
        text += U(cp932);
    return text;
}

// Texts past any bound buffer (its upper limit; for PostgreSQL also the size the driver
// declares for a varchar without length) between integers and bytes.
std::string LongValuesStatement(bool postgres)
{
    return std::string("select 1 as a, repeat('表ソ', 700) as b, ") +
           (postgres ? "decode('00ff', 'hex') as c, 2 as d, cast(repeat('ソ', 300) as varchar) as e"
                     : "cast(x'00ff' as binary(2)) as c, 2 as d, cast(repeat('ソ', 300) as char) as e");
}

void ExpectLongValues(const VariantRow& row)
{
    ASSERT_EQ(5u, row.size());
    std::vector<std::wstring> texts;
    for (size_t i : {0, 1, 3, 4}) {
        Variant text;
        VariantChangeType(&text.Get(), const_cast<VARIANT*>(&row[i].Get()), 0, VT_BSTR);
        texts.push_back(BstrOf(text.Get()));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"1", Repeated("表ソ", 700), L"2", Repeated("ソ", 300)}), texts);
    ASSERT_EQ(VT_ARRAY | VT_UI1, row[2].Type());
    EXPECT_EQ(2u, row[2].Get().parray->rgsabound[0].cElements);
    EXPECT_EQ(0, std::memcmp("\x00\xff", row[2].Get().parray->pvData, 2));
}

class AdoOdbc : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(connection.Open(GetParam().connectionString))) << ErrorsOf(connection);
    }
    std::string Q(const char* name) const { return Quoted(GetParam(), name); }
    bool IsPostgres() const { return GetParam().open == '"'; }

    Connection connection;
};

}  // namespace

TEST_P(AdoOdbc, FieldsOfRealColumnsCarryAdoTypesAndVariantValues)
{
    Recordset rs;
    std::string sql = "select * from " + Q("社員") + " where " + Q("社員番号") + " = 1";
    ASSERT_TRUE(SUCCEEDED(rs.Open(sql.c_str(), &connection, adOpenKeyset, adLockOptimistic, adCmdText)))
        << ErrorsOf(connection);
    ASSERT_EQ(adStateOpen, rs.State());
    ASSERT_EQ(8, rs.Fields().Count());
    ASSERT_FALSE(rs.Eof());

    Field* id = rs.Fields().Item("社員番号");
    ASSERT_NE(nullptr, id);
    if (IsPostgres()) {
        EXPECT_EQ(adInteger, id->Type());
        EXPECT_EQ(VT_I4, id->Value().vt);
        EXPECT_EQ(1, id->Value().lVal);
    } else {
        // int(10) unsigned
        EXPECT_EQ(adUnsignedInt, id->Type());
        EXPECT_EQ(VT_UI4, id->Value().vt);
        EXPECT_EQ(1u, id->Value().ulVal);
    }

    Field* salary = rs.Fields().Item("給与");
    EXPECT_EQ(adNumeric, salary->Type());
    EXPECT_EQ(10, salary->Precision());
    EXPECT_EQ(2, salary->NumericScale());
    EXPECT_EQ(VT_DECIMAL, salary->Value().vt);
    EXPECT_DOUBLE_EQ(350000.0, DecimalOf(salary->Value()));

    Field* score = rs.Fields().Item("評価点");
    if (IsPostgres()) {
        // numeric without precision stays an exact numeric
        EXPECT_EQ(adNumeric, score->Type());
        EXPECT_EQ(VT_DECIMAL, score->Value().vt);
        EXPECT_DOUBLE_EQ(4.5, DecimalOf(score->Value()));
    } else {
        EXPECT_EQ(adDouble, score->Type());
        EXPECT_EQ(VT_R8, score->Value().vt);
        EXPECT_DOUBLE_EQ(4.5, score->Value().dblVal);
    }

    Field* photo = rs.Fields().Item("写真");
    EXPECT_TRUE(photo->Type() == adVarBinary || photo->Type() == adLongVarBinary) << photo->Type();
    ASSERT_EQ(VT_ARRAY | VT_UI1, photo->Value().vt);
    unsigned char* bytes = nullptr;
    SafeArrayAccessData(photo->Value().parray, reinterpret_cast<void**>(&bytes));
    EXPECT_EQ(2u, photo->Value().parray->rgsabound[0].cElements);
    EXPECT_EQ(0x01, bytes[0]);
    EXPECT_EQ(0x02, bytes[1]);
    SafeArrayUnaccessData(photo->Value().parray);

    Field* hired = rs.Fields().Item("入社日");
    EXPECT_EQ(adDBDate, hired->Type());
    EXPECT_EQ(VT_DATE, hired->Value().vt);
    EXPECT_DOUBLE_EQ(DateOf(2001, 4, 1), hired->Value().date);

    Field* name = rs.Fields().Item("氏名");
    EXPECT_EQ(adVarChar, name->Type());
    EXPECT_EQ(40, name->DefinedSize());
    EXPECT_EQ(0, name->Attributes() & adFldFixed);
    EXPECT_EQ(U("山田 太郎"), BstrOf(name->Value()));
    EXPECT_EQ(adChar, rs.Fields().Item("部署コード")->Type());
    EXPECT_NE(0, rs.Fields().Item("部署コード")->Attributes() & adFldFixed);
    EXPECT_EQ(adLongVarChar, rs.Fields().Item("備考")->Type());
    EXPECT_NE(0, rs.Fields().Item("備考")->Attributes() & adFldLong);
    EXPECT_EQ(U("O'Brien さんの後任"), BstrOf(rs.Fields().Item("備考")->Value()));
}

TEST_P(AdoOdbc, NullIsVtNullWhileEmptyTextIsAnEmptyString)
{
    Recordset rs;
    std::string sql = "select " + Q("社員番号") + ", " + Q("備考") + ", " + Q("登録日時") + " from " + Q("社員") +
                      ", " + Q("売上明細") + " where " + Q("社員番号") + " in (3, 4) and " + Q("伝票番号") +
                      " = 101 order by " + Q("社員番号");
    ASSERT_TRUE(SUCCEEDED(rs.Open(sql.c_str(), &connection, adOpenKeyset, adLockOptimistic, adCmdText)))
        << ErrorsOf(connection);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(VT_NULL, rs.Fields().Item(1)->Value().vt);
    EXPECT_EQ(VT_NULL, rs.Fields().Item("登録日時")->Value().vt);
    EXPECT_EQ(adDBTimeStamp, rs.Fields().Item("登録日時")->Type());
    ASSERT_TRUE(SUCCEEDED(rs.MoveNext()));
    ASSERT_FALSE(rs.Eof());
    ASSERT_EQ(VT_BSTR, rs.Fields().Item(1)->Value().vt);
    EXPECT_EQ(0u, SysStringLen(rs.Fields().Item(1)->Value().bstrVal));
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(VT_EMPTY, rs.Fields().Item(1)->Value().vt);
}

TEST_P(AdoOdbc, TimestampsBecomeDatesWithTheirTime)
{
    Recordset rs;
    std::string sql = "select " + Q("登録日時") + " from " + Q("売上明細") + " where " + Q("伝票番号") + " = 100";
    ASSERT_TRUE(SUCCEEDED(rs.Open(sql.c_str(), &connection, adOpenForwardOnly, adLockReadOnly, adCmdText)));
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(VT_DATE, rs.Fields().Item(0L)->Value().vt);
    EXPECT_NEAR(DateOf(2024, 1, 5, 9, 30), rs.Fields().Item(0L)->Value().date, 1e-9);
}

TEST_P(AdoOdbc, ShiftJisTextRoundTripsThroughATableOfItsOwn)
{
    const char* table = "表ソ_試験";
    RunSql(connection, "drop table if exists " + Q(table));
    RunSql(connection, "create table " + Q(table) + " (" + Q("番号") + " integer, " + Q("値ソ") + " varchar(40))");
    RunSql(connection, "insert into " + Q(table) + " values (1, '①～㈱髙表ソ''s')");
    {
        Recordset rs;
        std::string sql = "select " + Q("値ソ") + " from " + Q(table);
        ASSERT_TRUE(SUCCEEDED(rs.Open(sql.c_str(), &connection, adOpenKeyset, adLockOptimistic, adCmdText)))
            << ErrorsOf(connection);
        ASSERT_FALSE(rs.Eof());
        EXPECT_EQ(U("値ソ"), U(rs.Fields().Item(0L)->Name()));
        EXPECT_EQ(U("①～㈱髙表ソ's"), BstrOf(rs.Fields().Item("値ソ")->Value()));
        EXPECT_EQ(L"\u2460\uFF5E\u3231\u9AD9\u8868\u30BD's", BstrOf(rs.Fields().Item("値ソ")->Value()));
    }
    {
        // A name whose trail byte is 0x5C and that holds '_' must be found exactly.
        Recordset rs;
        ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaColumns, {nullptr, nullptr, table, nullptr}, rs)))
            << ErrorsOf(connection);
        ASSERT_EQ(2, rs.RecordCount());
        rs.SetSort("ORDINAL_POSITION");
        EXPECT_EQ(U("番号"), BstrOf(rs.Fields().Item("COLUMN_NAME")->Value()));
        rs.MoveNext();
        EXPECT_EQ(U("値ソ"), BstrOf(rs.Fields().Item("COLUMN_NAME")->Value()));
        EXPECT_EQ(U(table), BstrOf(rs.Fields().Item("TABLE_NAME")->Value()));
    }
    RunSql(connection, "drop table " + Q(table));
}

TEST_P(AdoOdbc, RecordCountIsRightForKeysetCursorsAndMinusOneForwardOnly)
{
    std::string sql = "select * from " + Q("連番") + " order by " + Q("番号");
    Recordset keyset;
    ASSERT_TRUE(SUCCEEDED(keyset.Open(sql.c_str(), &connection, adOpenKeyset, adLockOptimistic, adCmdText)));
    keyset.MoveNext();
    EXPECT_EQ(51, keyset.RecordCount());
    keyset.MoveNext();
    EXPECT_EQ(3, keyset.Fields().Item("番号")->Value().lVal);
    keyset.MoveFirst();
    EXPECT_EQ(1, keyset.Fields().Item("番号")->Value().lVal);
    ASSERT_TRUE(SUCCEEDED(keyset.SetSort("番号 DESC")));
    EXPECT_EQ(51, keyset.Fields().Item("番号")->Value().lVal);
    EXPECT_EQ(U("行51"), BstrOf(keyset.Fields().Item("名前")->Value()));
    EXPECT_EQ(51, keyset.RecordCount());

    Recordset forward;
    ASSERT_TRUE(SUCCEEDED(forward.Open(sql.c_str(), &connection, adOpenForwardOnly, adLockReadOnly, adCmdText)));
    EXPECT_EQ(-1, forward.RecordCount());
    int rows = 0;
    while (!forward.Eof()) {
        ++rows;
        forward.MoveNext();
    }
    EXPECT_EQ(51, rows);
    // MoveFirst on a forward-only cursor runs the statement again.
    ASSERT_TRUE(SUCCEEDED(forward.MoveFirst()));
    EXPECT_EQ(1, forward.Fields().Item("番号")->Value().lVal);
}

TEST_P(AdoOdbc, StatementWithoutRowsLeavesTheRecordsetClosed)
{
    Recordset rs;
    std::string sql = "update " + Q("連番") + " set " + Q("名前") + " = " + Q("名前") + " where " + Q("番号") + " <= 3";
    ASSERT_TRUE(SUCCEEDED(rs.Open(sql.c_str(), &connection, adOpenKeyset, adLockOptimistic, adCmdText)))
        << ErrorsOf(connection);
    EXPECT_EQ(adStateClosed, rs.State());
    long affected = -1;
    sql = "update " + Q("連番") + " set " + Q("名前") + " = " + Q("名前") + " where " + Q("番号") + " <= 3";
    ASSERT_TRUE(SUCCEEDED(connection.Execute(sql.c_str(), &affected, adExecuteNoRecords)));
    // MariaDB counts changed rows only
    EXPECT_EQ(IsPostgres() ? 3 : 0, affected);
}

TEST_P(AdoOdbc, FailingStatementLeavesTheDriversTextInErrors)
{
    Recordset rs;
    EXPECT_TRUE(FAILED(rs.Open("select * from 存在しない表", &connection, adOpenKeyset, adLockOptimistic, adCmdText)));
    EXPECT_EQ(adStateClosed, rs.State());
    ASSERT_GE(connection.Errors().Count(), 1);
    std::wstring description = U(connection.Errors().Item(0)->Description());
    EXPECT_NE(std::wstring::npos, description.find(U("存在しない表"))) << ErrorsOf(connection);
    EXPECT_EQ(5u, strlen(connection.Errors().Item(0)->SQLState()));
    // the connection stays usable and the next call starts with empty Errors
    EXPECT_TRUE(SUCCEEDED(connection.Execute("select 1", nullptr, adExecuteNoRecords)));
    EXPECT_EQ(0, connection.Errors().Count());
}

TEST_P(AdoOdbc, RolledBackInsertsAreGoneAndCommittedOnesStay)
{
    const char* table = "kestrova_tx_test";
    RunSql(connection, "drop table if exists " + Q(table));
    RunSql(connection, "create table " + Q(table) + " (n integer)" + (IsPostgres() ? "" : " engine=InnoDB"));
    long level = 0;
    ASSERT_TRUE(SUCCEEDED(connection.BeginTrans(&level)));
    EXPECT_EQ(1, level);
    RunSql(connection, "insert into " + Q(table) + " values (1)");
    EXPECT_EQ(1, CountRows(connection, "select count(*) from " + Q(table)));
    ASSERT_TRUE(SUCCEEDED(connection.RollbackTrans())) << ErrorsOf(connection);
    EXPECT_EQ(0, CountRows(connection, "select count(*) from " + Q(table)));

    // a prepared insert run twice inside a committed transaction
    ASSERT_TRUE(SUCCEEDED(connection.BeginTrans()));
    Command insert(connection);
    ASSERT_TRUE(SUCCEEDED(insert.Prepare(("insert into " + Q(table) + " values (7)").c_str()))) << ErrorsOf(connection);
    long affected = 0;
    EXPECT_TRUE(SUCCEEDED(insert.Execute(&affected)));
    EXPECT_EQ(1, affected);
    EXPECT_TRUE(SUCCEEDED(insert.Execute()));
    insert.Release();
    ASSERT_TRUE(SUCCEEDED(connection.CommitTrans()));
    EXPECT_EQ(2, CountRows(connection, "select count(*) from " + Q(table)));
    // Back in autocommit: the next insert is committed at once, and a later rollback
    // request undoes neither it nor the transaction's rows, as another connection sees.
    RunSql(connection, "insert into " + Q(table) + " values (8)");
    connection.RollbackTrans();
    EXPECT_EQ(3, CountRows(connection, "select count(*) from " + Q(table)));
    Connection other;
    ASSERT_TRUE(SUCCEEDED(other.Open(GetParam().connectionString))) << ErrorsOf(other);
    EXPECT_EQ(3, CountRows(other, "select count(*) from " + Q(table)));
    other.Close();
    RunSql(connection, "drop table " + Q(table));
}

TEST_P(AdoOdbc, ValuesPastTheirBoundBuffersAreReadWhole)
{
    OdbcBackend backend;
    ErrorList errors;
    ASSERT_TRUE(SUCCEEDED(backend.Open(GetParam().connectionString, errors)));
    std::unique_ptr<RowSource> rows;
    ASSERT_TRUE(SUCCEEDED(backend.Execute(LongValuesStatement(IsPostgres()).c_str(), true, rows, nullptr, errors)))
        << (errors.Count() ? errors.Item(0)->Description().Text() : "");
    auto* statement = dynamic_cast<odbc::StatementRows*>(rows.get());
    ASSERT_NE(nullptr, statement);
    // Both drivers allow SQLGetData on bound columns in any place: all but the bytes are bound.
    EXPECT_EQ(4u, statement->BoundColumnCount());
    VariantRow row;
    ASSERT_EQ(1, rows->Fetch(row, errors));
    ExpectLongValues(row);
    EXPECT_EQ(0, rows->Fetch(row, errors));
    EXPECT_EQ(0, errors.Count());
}

INSTANTIATE_TEST_SUITE_P(SampleServers, AdoOdbc, ::testing::ValuesIn(kServers),
                         [](const ::testing::TestParamInfo<Server>& info) { return std::string(info.param.name); });

TEST(AdoOdbcConnection, UnreachableDsnReportsTheDriverManagersText)
{
    Connection connection;
    EXPECT_TRUE(FAILED(connection.Open("Provider=MSDASQL;DSN=KestrovaNoSuchDsn;UID=x;PWD=y;")));
    EXPECT_EQ(adStateClosed, connection.State());
    ASSERT_GE(connection.Errors().Count(), 1);
    std::string description = connection.Errors().Item(0)->Description().Text();
    EXPECT_EQ(0u, description.find("[unixODBC]")) << description;
    EXPECT_NE(std::string::npos, description.find("Data source name not found")) << description;
    EXPECT_EQ(std::string("IM002"), connection.Errors().Item(0)->SQLState().Text());
}

TEST(AdoOdbcConnection, OpenedConnectionReportsStateAndClosesOnce)
{
    Connection connection;
    EXPECT_TRUE(FAILED(connection.Execute("select 1")));
    ASSERT_TRUE(SUCCEEDED(connection.Open(kServers[0].connectionString)));
    EXPECT_EQ(adStateOpen, connection.State());
    EXPECT_TRUE(SUCCEEDED(connection.Close()));
    EXPECT_EQ(adStateClosed, connection.State());
    EXPECT_TRUE(FAILED(connection.Close()));
}

TEST(AdoOdbcBinding, DriversWithoutGetDataOnBoundColumnsAreReadValueByValue)
{
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    char dsn[] = "DSN=KestrovaPg;UID=kestrova;PWD=kestrova;";
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(dsn), SQL_NTS, nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT)));
    std::string sql = LongValuesStatement(true);
    // Without SQL_GD_ANY_COLUMN the bytes must come after the last bound column.
    for (auto [extensions, bound] : {std::pair<SQLUINTEGER, size_t>{SQL_GD_BOUND | SQL_GD_ANY_COLUMN, 4},
                                     {SQL_GD_BOUND, 2}, {SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER, 0}}) {
        SQLHSTMT statement = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &statement);
        ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(&sql[0]), SQL_NTS)));
        odbc::StatementRows rows(statement, true, 932, extensions);
        ErrorList errors;
        ASSERT_TRUE(rows.Describe(errors));
        EXPECT_EQ(bound, rows.BoundColumnCount()) << extensions;
        VariantRow row;
        ASSERT_EQ(1, rows.Fetch(row, errors));
        ExpectLongValues(row);
    }
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
}
