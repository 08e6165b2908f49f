// The route every database feature takes: odbc32 under Wine, the host's unixODBC, the
// project's DSNs and the i386 drivers, with Shift_JIS text end to end.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct OdbcQuery {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    std::string error;

    ~OdbcQuery()
    {
        if (stmt) SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        if (dbc) { SQLDisconnect(dbc); SQLFreeHandle(SQL_HANDLE_DBC, dbc); }
        if (env) SQLFreeHandle(SQL_HANDLE_ENV, env);
    }

    void Diagnose(SQLSMALLINT type, SQLHANDLE handle)
    {
        SQLCHAR state[6], text[512];
        SQLINTEGER native;
        SQLSMALLINT length;
        if (SQL_SUCCEEDED(SQLGetDiagRec(type, handle, 1, state, &native, text, sizeof text, &length)))
            error = std::string(reinterpret_cast<char*>(state)) + " " + reinterpret_cast<char*>(text);
    }

    bool Connect(const char* connection)
    {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
        SQLCHAR out[1024];
        SQLSMALLINT outLength;
        SQLRETURN rc = SQLDriverConnect(dbc, nullptr, (SQLCHAR*)connection, SQL_NTS, out, sizeof out,
                                        &outLength, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            Diagnose(SQL_HANDLE_DBC, dbc);
            return false;
        }
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
        return true;
    }

    // First column of the first row, or "<error>".
    std::string Scalar(const char* sql)
    {
        SQLFreeStmt(stmt, SQL_CLOSE);
        if (!SQL_SUCCEEDED(SQLExecDirect(stmt, (SQLCHAR*)sql, SQL_NTS)) || !SQL_SUCCEEDED(SQLFetch(stmt))) {
            Diagnose(SQL_HANDLE_STMT, stmt);
            return "<error>";
        }
        char value[256] = "";
        SQLLEN length = 0;
        SQLGetData(stmt, 1, SQL_C_CHAR, value, sizeof value, &length);
        return length == SQL_NULL_DATA ? "<null>" : value;
    }
};

// CP932 has duplicate codes for some characters (㈱ is both 0x878A and 0xFA58), and
// PostgreSQL's SJIS conversion answers with the IBM-extension code where Windows prefers
// the NEC one. Text is the same when its Unicode is the same.
std::wstring Unicode(const std::string& text)
{
    wchar_t wide[256] = L"";
    MultiByteToWideChar(932, 0, text.c_str(), -1, wide, 256);
    return wide;
}

void CheckSampleText(const char* connection, const char* sql)
{
    OdbcQuery query;
    ASSERT_TRUE(query.Connect(connection)) << query.error;
    EXPECT_EQ(Unicode("①～㈱髙表ソ"), Unicode(query.Scalar(sql))) << query.error;
}

}  // namespace

TEST(OdbcRoute, PostgresSampleReadsAsShiftJis)
{
    CheckSampleText("DSN=KestrovaPg;UID=kestrova;PWD=kestrova;",
                    "select \"備考\" from \"社員\" where \"社員番号\" = 2");
}

TEST(OdbcRoute, MariaDbSampleReadsAsShiftJis)
{
    CheckSampleText("DSN=KestrovaMy;UID=kestrova;PWD=kestrova;",
                    "select `備考` from `社員` where `社員番号` = 2");
}

TEST(OdbcRoute, ShiftJisTextRoundTripsThroughBothServers)
{
    const char* connections[] = {"DSN=KestrovaPg;UID=kestrova;PWD=kestrova;",
                                 "DSN=KestrovaMy;UID=kestrova;PWD=kestrova;"};
    for (const char* connection : connections) {
        OdbcQuery query;
        ASSERT_TRUE(query.Connect(connection)) << query.error;
        EXPECT_EQ(Unicode("表ソ①～㈱髙's"), Unicode(query.Scalar("select '表ソ①～㈱髙''s'")))
            << connection << query.error;
    }
}

TEST(OdbcRoute, UnknownDsnReportsTheDriverManagerError)
{
    OdbcQuery query;
    EXPECT_FALSE(query.Connect("DSN=KestrovaNoSuchDsn;UID=x;PWD=y;"));
    EXPECT_FALSE(query.error.empty());
}
