// OpenSchema over the ODBC catalog functions of the sample databases.
#include "AdoTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace adotest;
using namespace ado;

namespace {

long LongOf(const VARIANT& v)
{
    Variant copy;
    if (FAILED(VariantChangeType(&copy.Get(), const_cast<VARIANT*>(&v), 0, VT_I4)))
        return -999;
    return copy.Get().lVal;
}

class OdbcSchema : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(connection.Open(GetParam().connectionString))) << ErrorsOf(connection);
    }
    bool IsPostgres() const { return GetParam().open == '"'; }
    Connection connection;
};

}  // namespace

TEST_P(OdbcSchema, TablesListTheSampleTablesAndTheViewWithTheirTypes)
{
    Recordset rs;
    // ADO's restriction order: catalog, schema, table, type.
    const char* schema = IsPostgres() ? "public" : nullptr;
    const char* catalog = IsPostgres() ? nullptr : "sample";
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaTables, {catalog, schema, nullptr, nullptr}, rs)))
        << ErrorsOf(connection);
    EXPECT_EQ(9, rs.Fields().Count());
    ASSERT_NE(nullptr, rs.Fields().Item("DATE_CREATED"));
    std::map<std::wstring, std::wstring> types;
    for (; !rs.Eof(); rs.MoveNext())
        types[BstrOf(rs.Fields().Item("TABLE_NAME")->Value())] = BstrOf(rs.Fields().Item("TABLE_TYPE")->Value());
    EXPECT_EQ(L"TABLE", types[U("社員")]);
    EXPECT_EQ(L"TABLE", types[U("売上明細")]);
    EXPECT_EQ(L"TABLE", types[U("連番")]);
    EXPECT_EQ(L"VIEW", types[U("社員一覧")]);

    Recordset views;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaTables, {catalog, schema, nullptr, "VIEW"}, views)));
    ASSERT_EQ(1, views.RecordCount());
    EXPECT_EQ(U("社員一覧"), BstrOf(views.Fields().Item("TABLE_NAME")->Value()));
}

TEST_P(OdbcSchema, ColumnsCarryAdoTypesSizesAndNullability)
{
    Recordset rs;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaColumns, {nullptr, nullptr, "社員", nullptr}, rs)))
        << ErrorsOf(connection);
    ASSERT_TRUE(SUCCEEDED(rs.SetSort("ORDINAL_POSITION")));
    ASSERT_EQ(8, rs.RecordCount());
    std::vector<std::wstring> names;
    std::map<std::wstring, int> row;
    std::vector<std::map<std::string, long>> values;
    for (; !rs.Eof(); rs.MoveNext()) {
        std::wstring name = BstrOf(rs.Fields().Item("COLUMN_NAME")->Value());
        row[name] = static_cast<int>(names.size());
        names.push_back(name);
        std::map<std::string, long> v;
        for (const char* field : {"ORDINAL_POSITION", "DATA_TYPE", "CHARACTER_MAXIMUM_LENGTH", "NUMERIC_PRECISION",
                                  "NUMERIC_SCALE", "IS_NULLABLE"})
            v[field] = LongOf(rs.Fields().Item(field)->Value());
        v["default is null"] = rs.Fields().Item("COLUMN_DEFAULT")->Value().vt == VT_NULL;
        values.push_back(v);
    }
    ASSERT_EQ(8u, names.size());
    EXPECT_EQ(U("社員番号"), names[0]);
    EXPECT_EQ(U("備考"), names[7]);
    EXPECT_EQ(1, values[0]["ORDINAL_POSITION"]);
    EXPECT_EQ(8, values[7]["ORDINAL_POSITION"]);

    auto at = [&](const char* name) { return values[row[U(name)]]; };
    EXPECT_EQ(IsPostgres() ? adInteger : adUnsignedInt, at("社員番号")["DATA_TYPE"]);
    EXPECT_EQ(0, at("社員番号")["IS_NULLABLE"]);
    // MariaDB's catalog reports its utf8mb4 columns as wide types, its result sets as narrow ones.
    EXPECT_EQ(IsPostgres() ? adVarChar : adVarWChar, at("氏名")["DATA_TYPE"]);
    EXPECT_EQ(40, at("氏名")["CHARACTER_MAXIMUM_LENGTH"]);
    EXPECT_EQ(-999, at("氏名")["NUMERIC_PRECISION"]);  // null for text
    EXPECT_EQ(0, at("氏名")["IS_NULLABLE"]);
    EXPECT_EQ(adNumeric, at("給与")["DATA_TYPE"]);
    EXPECT_EQ(10, at("給与")["NUMERIC_PRECISION"]);
    EXPECT_EQ(2, at("給与")["NUMERIC_SCALE"]);
    EXPECT_NE(0, at("給与")["IS_NULLABLE"]);
    EXPECT_EQ(adDBDate, at("入社日")["DATA_TYPE"]);
    EXPECT_EQ(IsPostgres() ? adNumeric : adDouble, at("評価点")["DATA_TYPE"]);
    long photo = at("写真")["DATA_TYPE"];
    EXPECT_TRUE(photo == adVarBinary || photo == adLongVarBinary) << photo;
    EXPECT_EQ(1, at("給与")["default is null"]);
}

TEST_P(OdbcSchema, CompositePrimaryKeyListsItsColumnsInKeyOrder)
{
    Recordset rs;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaPrimaryKeys, {nullptr, nullptr, "売上明細"}, rs)))
        << ErrorsOf(connection);
    std::map<std::wstring, long> ordinal;
    for (; !rs.Eof(); rs.MoveNext())
        ordinal[BstrOf(rs.Fields().Item("COLUMN_NAME")->Value())] = LongOf(rs.Fields().Item("ORDINAL")->Value());
    ASSERT_EQ(2u, ordinal.size());
    EXPECT_EQ(1, ordinal[U("伝票番号")]);
    EXPECT_EQ(2, ordinal[U("行番号")]);
    ASSERT_NE(nullptr, rs.Fields().Item("PK_NAME"));
}

TEST_P(OdbcSchema, IndexesMarkThePrimaryKeyAsUnique)
{
    Recordset rs;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaIndexes, {nullptr, nullptr, nullptr, nullptr, "売上明細"}, rs)))
        << ErrorsOf(connection);
    std::set<std::wstring> keyColumns;
    for (; !rs.Eof(); rs.MoveNext()) {
        if (rs.Fields().Item("PRIMARY_KEY")->Value().boolVal != VARIANT_TRUE)
            continue;
        EXPECT_EQ(VARIANT_TRUE, rs.Fields().Item("UNIQUE")->Value().boolVal);
        keyColumns.insert(BstrOf(rs.Fields().Item("COLUMN_NAME")->Value()));
    }
    EXPECT_EQ((std::set<std::wstring>{U("伝票番号"), U("行番号")}), keyColumns);
}

TEST_P(OdbcSchema, ProviderTypesMapTheDriversTypesToAdoNumbers)
{
    Recordset rs;
    ASSERT_TRUE(SUCCEEDED(connection.OpenSchema(adSchemaProviderTypes, std::vector<const char*>{}, rs)))
        << ErrorsOf(connection);
    std::set<long> types;
    for (; !rs.Eof(); rs.MoveNext())
        types.insert(LongOf(rs.Fields().Item("DATA_TYPE")->Value()));
    for (long expected : {long(adInteger), long(adVarChar), long(adNumeric), long(adDBTimeStamp)})
        EXPECT_EQ(1u, types.count(expected)) << expected;
}

INSTANTIATE_TEST_SUITE_P(SampleServers, OdbcSchema, ::testing::ValuesIn(kServers),
                         [](const ::testing::TestParamInfo<Server>& info) { return std::string(info.param.name); });
