// DbLink's operations against the sample PostgreSQL and MariaDB, and against scripted
// backends for the kinds and failures the servers here cannot show.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "DbLinkTestSupport.h"
#include "common/SjisText.h"
#include "db/DbLinkText.h"
#include "db/ScriptedBackend.h"

using namespace linktest;
using namespace ado;

namespace {

std::wstring U(const char* cp932)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(932, 0, cp932, -1, wide, 1024);
    return wide;
}

std::string ShortDate(int year, int month, int day)
{
    SYSTEMTIME date = {};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    char text[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text);
    return text;
}

class DbLinkServer : public ::testing::TestWithParam<SampleServer> {
protected:
    void SetUp() override { ASSERT_TRUE(host.link.BuildConnection(GetParam().kind, GetParam().argument)); }
    // The sample's names quoted the way the server reads them.
    std::string Q(const char* name) const
    {
        const char* quote = GetParam().kind == DatabaseKind::MySql ? "`" : "\"";
        return std::string(quote) + name + quote;
    }
    int FillList(const std::string& sql)
    {
        host.link.sqlText = sql.c_str();
        return host.link.FillResultList(host.grid);
    }

    LinkHost host;
};

}  // namespace

TEST_P(DbLinkServer, FillStopsAtRowLimitButCountsEveryRecord)
{
    ASSERT_EQ(50, FillList("select * from " + Q("連番") + " order by " + Q("番号")))
        << host.link.ErrorText.Text();
    EXPECT_EQ(50, host.grid.RowCount());
    EXPECT_EQ(51, host.link.recordCount);
    ASSERT_EQ(2, host.grid.ColumnCount());
    EXPECT_STREQ("番号", host.grid.ColumnTitle(0).Text());
    EXPECT_STREQ("名前", host.grid.ColumnTitle(1).Text());
    EXPECT_STREQ("50", host.grid.CellText(49, 0).Text());
    EXPECT_STREQ("行50", host.grid.CellText(49, 1).Text());
    EXPECT_TRUE(host.GridVisible());
    EXPECT_EQ(adStateClosed, host.link.connection->State());

    host.link.RowLimit = 7;
    host.link.sqlText.Clear();
    host.link.selectList = Q("名前").c_str();
    host.link.tableName = Q("連番").c_str();
    host.link.whereText = (Q("番号") + " > 40").c_str();
    host.link.orderText = (Q("番号") + " desc").c_str();
    ASSERT_EQ(7, host.link.FillDataGrid(host.grid)) << host.link.ErrorText.Text();
    EXPECT_EQ(11, host.link.recordCount);
    EXPECT_STREQ(("select " + Q("名前") + " from " + Q("連番") + " where " + Q("番号") + " > 40 order by " +
                  Q("番号") + " desc").c_str(),
                 host.link.sqlText.Text());
    // The data grid's marker and hidden columns come before the fields.
    ASSERT_EQ(3, host.grid.ColumnCount());
    EXPECT_STREQ("", host.grid.ColumnTitle(0).Text());
    EXPECT_STREQ("名前", host.grid.ColumnTitle(2).Text());
    EXPECT_EQ(20, host.grid.ColumnWidth(0));
    EXPECT_EQ(0, host.grid.ColumnWidth(1));
    EXPECT_STREQ("行51", host.grid.CellText(0, 2).Text());
    EXPECT_STREQ("", host.grid.CellText(0, 0).Text());
}

TEST_P(DbLinkServer, ValuesBecomeTextByTheirType)
{
    std::string sql = "select " + Q("社員番号") + ", " + Q("写真") + ", " + Q("備考") + ", " + Q("給与") + ", " +
                      Q("評価点") + ", " + Q("入社日") + " from " + Q("社員") + " order by " + Q("社員番号");
    ASSERT_EQ(4, FillList(sql)) << host.link.ErrorText.Text();
    EXPECT_EQ((std::vector<std::string>{"1", "2", "3", "4"}), host.Column(0));
    // Byte arrays cannot be shown; NULL and '' both give an empty cell.
    EXPECT_EQ((std::vector<std::string>{"???", "", "", ""}), host.Column(1));
    EXPECT_STREQ("O'Brien さんの後任", host.grid.CellText(0, 2).Text());
    EXPECT_EQ(U("①～㈱髙表ソ"), U(host.grid.CellText(1, 2)));
    EXPECT_EQ("", host.Column(2)[2]);
    EXPECT_EQ("", host.Column(2)[3]);
    EXPECT_EQ((std::vector<std::string>{"350000", "420000.5", "", "0"}), host.Column(3));
    EXPECT_EQ((std::vector<std::string>{"4.5", "", "3", "0"}), host.Column(4));
    // Dates follow the user's short date format (Wine's Japanese one is "yyyy/M/d").
    EXPECT_EQ((std::vector<std::string>{ShortDate(2001, 4, 1), ShortDate(2015, 10, 16), "", ShortDate(2020, 2, 29)}),
              host.Column(5));

    // count(*) is an 8-byte integer on both servers.
    ASSERT_EQ(1, FillList("select count(*) from " + Q("社員")));
    EXPECT_STREQ("4", host.grid.CellText(0, 0).Text());
}

TEST_P(DbLinkServer, StatementWithoutRowsLeavesTheGridAsItWas)
{
    host.grid.AddColumn("前", 80);
    host.grid.AddRow();
    host.grid.SetText(0, "残る");
    std::string update = "update " + Q("連番") + " set " + Q("名前") + " = " + Q("名前") + " where " + Q("番号") + " = 0";
    EXPECT_EQ(-99, FillList(update));
    host.link.sqlText = update.c_str();
    EXPECT_EQ(-99, host.link.FillDataGrid(host.grid));
    ASSERT_EQ(1, host.grid.ColumnCount());
    EXPECT_STREQ("前", host.grid.ColumnTitle(0).Text());
    EXPECT_EQ((std::vector<std::string>{"残る"}), host.Column(0));
    EXPECT_EQ(80, host.grid.ColumnWidth(0));
    EXPECT_TRUE(host.shown.empty());
    EXPECT_EQ(adStateClosed, host.link.connection->State());
}

TEST_P(DbLinkServer, BadStatementShowsTheDriverTextAndTheStatement)
{
    std::string sql = "select * from " + Q("存在しない表");
    EXPECT_EQ(-1, FillList(sql));
    const VornString& error = host.link.ErrorText;
    EXPECT_EQ("\n\n" + sql, Tail(error, sql.size() + 2)) << error.Text();
    long name = sjis::Find(error, "存在しない表");
    EXPECT_GE(name, 0) << error.Text();
    EXPECT_LT(static_cast<size_t>(name), error.Length() - sql.size() - 2) << "the driver's text names the table";
    ASSERT_EQ(1u, host.shown.size());
    EXPECT_EQ(host.window.Handle(), host.shown[0].owner);
    EXPECT_STREQ(error.Text(), host.shown[0].text.c_str());
    EXPECT_TRUE(host.GridVisible());
    EXPECT_EQ(adStateClosed, host.link.connection->State());
}

TEST_P(DbLinkServer, ExecuteOperationsReportEmptySuccessAndFailure)
{
    DbLink& link = host.link;
    std::string update = "update " + Q("連番") + " set " + Q("名前") + " = " + Q("名前") + " where " + Q("番号") + " = 1";
    link.sqlText = " 　";
    EXPECT_EQ(-1, link.ExecuteSqlText());
    EXPECT_STREQ("コマンドが指定されていません", link.ErrorText.Text());
    link.sqlText = ("　" + update + " ").c_str();
    EXPECT_EQ(0, link.ExecuteSqlText()) << link.ErrorText.Text();
    EXPECT_STREQ(update.c_str(), link.sqlText.Text());
    EXPECT_EQ(adStateClosed, link.connection->State());
    link.sqlText = "update 無い表 set x = 1";
    EXPECT_EQ(-2, link.ExecuteSqlText());
    EXPECT_GE(sjis::Find(link.ErrorText, "無い表"), 0) << link.ErrorText.Text();
    EXPECT_EQ(adStateClosed, link.connection->State());

    // Execute text runs between the caller's open and close.
    ASSERT_EQ(1, link.OpenConnection()) << link.ErrorText.Text();
    VornString text(("  " + update + "　").c_str());
    EXPECT_EQ(1, link.ExecuteText(text)) << link.ErrorText.Text();
    EXPECT_STREQ(update.c_str(), text.Text());
    VornString bad("delete from 無い表");
    EXPECT_EQ(0, link.ExecuteText(bad));
    EXPECT_GE(sjis::Find(link.ErrorText, "無い表"), 0) << link.ErrorText.Text();
    EXPECT_EQ(1, link.CloseConnection());
}

TEST_P(DbLinkServer, SchemaFillShowsViewsAndSortsTables)
{
    // MariaDB lists every database's tables unless the catalog is named.
    const char* catalog = GetParam().kind == DatabaseKind::MySql ? "sample" : "";
    std::vector<VornString> views = {catalog, "", "", "VIEW"};
    int rows = host.link.FillSchemaList(host.grid, adSchemaTables, &views, "");
    ASSERT_GE(rows, 1) << host.link.ErrorText.Text();
    EXPECT_EQ(rows, host.link.recordCount);
    EXPECT_STREQ("TABLE_CATALOG", host.grid.ColumnTitle(0).Text());
    std::vector<std::string> names = host.Column(2);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "社員一覧"));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "連番"));
    for (const std::string& type : host.Column(3))
        EXPECT_EQ("VIEW", type);

    std::vector<VornString> tables = {catalog, "", "", "TABLE"};
    ASSERT_GE(host.link.FillSchemaList(host.grid, adSchemaTables, &tables, "TABLE_NAME"), 4);
    std::vector<std::string> ascending = host.Column(2);
    ASSERT_GE(host.link.FillSchemaList(host.grid, adSchemaTables, &tables, "TABLE_NAME DESC"), 4);
    std::vector<std::string> descending = host.Column(2);
    EXPECT_EQ(ascending, std::vector<std::string>(descending.rbegin(), descending.rend()));
    EXPECT_NE(ascending, descending);
    EXPECT_TRUE(host.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(SampleServers, DbLinkServer, ::testing::ValuesIn(kSampleServers),
                         [](const ::testing::TestParamInfo<SampleServer>& info) { return std::string(info.param.name); });

// The general conversion as the rule states it, to compare the fills' short cuts with.
std::string GeneralConversion(const Variant& value)
{
    Variant text;
    VariantChangeTypeEx(&text.Get(), const_cast<VARIANT*>(&value.Get()), LOCALE_USER_DEFAULT, 0, VT_BSTR);
    std::string bytes(SysStringLen(text.Get().bstrVal) * 2, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.Get().bstrVal, SysStringLen(text.Get().bstrVal),
                                                         &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

TEST(DbLinkValueText, IntegersAndTextsGiveTheTextsOfTheirRule)
{
    // Texts on both sides of the sizes where the conversion leaves its stack buffers.
    std::string doubleByte, longText;
    for (int i = 0; i < 300; ++i) {
        doubleByte += "表";
        longText += "①～㈱髙表ソ";
    }
    for (const char* text : {"", "O'Brien さんの後任", doubleByte.c_str(), longText.c_str()}) {
        Variant value = Variant::Text(text);
        EXPECT_EQ(GeneralConversion(value), ValueToText(value.Get(), ValueTextMode::IntegersByFormat).Text());
    }
    for (long number : {0L, 7L, -1L, 32767L, -32768L, 2147483647L, LONG_MIN}) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%ld", number);
        Variant i4 = Variant::Long(number), i2 = Variant::Short(static_cast<short>(number));
        EXPECT_STREQ(expected, ValueToText(i4.Get(), ValueTextMode::IntegersByFormat).Text());
        EXPECT_EQ(GeneralConversion(i4), ValueToText(i4.Get(), ValueTextMode::General).Text());
        if (number == i2.Get().iVal) {
            EXPECT_STREQ(expected, ValueToText(i2.Get(), ValueTextMode::IntegersByFormat).Text());
        }
    }
}

TEST(DbLinkFailures, UnreachableServerAndMissingObjectsHaveTheirTexts)
{
    LinkHost host;
    DbLink& link = host.link;
    link.CollectRecordsetErrors(nullptr);
    EXPECT_STREQ("レコードセットは無効です", link.ErrorText.Text());
    Recordset never;
    link.CollectRecordsetErrors(&never);
    EXPECT_STREQ("接続が無効です", link.ErrorText.Text());
    link.CollectConnectionErrors(nullptr);
    EXPECT_STREQ("接続は無効です", link.ErrorText.Text());
    VornString text("select 1");
    EXPECT_EQ(0, link.ExecuteText(text));
    EXPECT_STREQ("接続は無効です", link.ErrorText.Text());
    EXPECT_EQ(0, link.CloseConnection());

    link.BuildConnection(DatabaseKind::Postgres, "KestrovaNoSuchDsn,sample,kestrova,kestrova");
    EXPECT_EQ(0, link.OpenConnection());
    EXPECT_FALSE(link.ErrorText.IsEmpty());
    EXPECT_EQ(std::string::npos, std::string(link.ErrorText).find("接続"));
    VornString driverText = link.ErrorText;

    // A fill's recordset has never had a connection: only the recordset's own text is left.
    link.sqlText = "select 1";
    EXPECT_EQ(-1, link.FillResultList(host.grid));
    EXPECT_STREQ("接続が無効です\nselect 1", link.ErrorText.Text());
    std::vector<VornString> none;
    EXPECT_EQ(-1, link.FillSchemaList(host.grid, adSchemaTables, &none, nullptr));
    EXPECT_STREQ("スキーマデータを取得できませんでした\nselect 1", link.ErrorText.Text());
    EXPECT_EQ(2u, host.shown.size());
    EXPECT_EQ(-2, link.ExecuteSqlText());
    EXPECT_STREQ(driverText.Text(), link.ErrorText.Text());
}
