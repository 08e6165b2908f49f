#include <gtest/gtest.h>

#include "db/ConnectionRecord.h"
#include "transfer/ExportRules.h"
#include "transfer/ExportStatement.h"
#include "transfer/ExternalReferenceText.h"

using namespace transfer;

namespace {

const char kPg[] = "[odbc;DSN=KestrovaPg;DATABASE=sample;UID=kestrova;PWD=kes'\"trova;]";
const char kMdb[] = "[DATABASE=C:\\出力\\表.mdb;]";

}  // namespace

TEST(ExportStatement, BothFormsReadBackWhatWasBuilt)
{
    ExportSource source;
    source.reference = kPg;
    source.table = "売上]明細";
    VornString insert = ExportInsertStatement(kMdb, "EXP_売上]明細", source);
    EXPECT_STREQ("insert into [DATABASE=C:\\出力\\表.mdb;].[EXP_売上]]明細] select * from "
                 "[odbc;DSN=KestrovaPg;DATABASE=sample;UID=kestrova;PWD=kes'\"trova;].[売上]]明細]",
                 insert.Text());
    source.columns = "\"社員番号\", \"氏名\"";
    source.condition = "\"給与\" > 0 and \"氏名\" like '%] from [%'";
    source.order = "\"社員番号\" desc";
    VornString into = ExportSelectIntoStatement(kMdb, "社員", source);
    EXPECT_STREQ("select \"社員番号\", \"氏名\" into [DATABASE=C:\\出力\\表.mdb;].[社員] from "
                 "[odbc;DSN=KestrovaPg;DATABASE=sample;UID=kestrova;PWD=kes'\"trova;].[売上]]明細] where "
                 "\"給与\" > 0 and \"氏名\" like '%] from [%' order by \"社員番号\" desc",
                 into.Text());

    ExportStatement parsed;
    ASSERT_TRUE(ParseExportStatement(insert, parsed));
    EXPECT_EQ(ExportForm::Insert, parsed.form);
    EXPECT_STREQ(kMdb, parsed.destinationReference.Text());
    EXPECT_STREQ("EXP_売上]明細", parsed.target.Text());
    EXPECT_STREQ("*", parsed.columns.Text());
    EXPECT_STREQ(kPg, parsed.sourceReference.Text());
    EXPECT_STREQ("売上]明細", parsed.sourceTable.Text());
    EXPECT_TRUE(parsed.condition.IsEmpty() && parsed.order.IsEmpty());

    ASSERT_TRUE(ParseExportStatement(into, parsed));
    EXPECT_EQ(ExportForm::SelectInto, parsed.form);
    EXPECT_STREQ("社員", parsed.target.Text());
    EXPECT_STREQ("\"社員番号\", \"氏名\"", parsed.columns.Text());
    EXPECT_STREQ("\"給与\" > 0 and \"氏名\" like '%] from [%'", parsed.condition.Text());
    EXPECT_STREQ("\"社員番号\" desc", parsed.order.Text());

    source.condition.Clear();
    ASSERT_TRUE(ParseExportStatement(ExportInsertStatement(kPg, "t", source), parsed));
    EXPECT_TRUE(parsed.condition.IsEmpty());
    EXPECT_STREQ("\"社員番号\" desc", parsed.order.Text());
}

TEST(ExportStatement, OtherTextsAreRefused)
{
    const char* texts[] = {
        "",
        "delete from [DATABASE=a.mdb;].[t]",
        "insert into [DATABASE=a.mdb;].[t] values (1)",
        "insert into [DATABASE=a.mdb;].[t] select * from t",
        "insert into [DATABASE=a.mdb;].[] select * from [DATABASE=b.mdb;].[u]",
        "insert into [DATABASE=a.mdb;].[t select * from [DATABASE=b.mdb;].[u]",
        "select * into [DATABASE=a.mdb;].[t] from [DATABASE=b.mdb;].[u] group by x",
        "select * into [DATABASE=a.mdb;].[t] from [DATABASE=b.mdb;].[u]; drop table v",
    };
    for (const char* text : texts) {
        ExportStatement parsed;
        EXPECT_FALSE(ParseExportStatement(text, parsed)) << text;
    }
}

TEST(ExternalReference, EveryKindsReferenceReadsBackIntoItsConnectionString)
{
    struct Case {
        DatabaseKind kind;
        const char* path;
        const char* server;
        const char* database;
    } cases[] = {
        {DatabaseKind::Excel, "C:\\表\\ソ.xls", "", ""},
        {DatabaseKind::Mdb, "C:\\表\\ソ.mdb", "", ""},
        {DatabaseKind::SqlServer, "", "srv\\inst", "db"},
        {DatabaseKind::MySql, "", "KestrovaMy", "sample"},
        {DatabaseKind::MySql, "", "KestrovaMy", ""},
        {DatabaseKind::Oracle, "", "ora", ""},
        {DatabaseKind::Postgres, "", "KestrovaPg", "sample"},
    };
    for (const Case& c : cases) {
        const char* user = *c.path ? "" : "ユーザ'";
        const char* password = *c.path ? "" : "p\"w'";
        VornString reference = DestinationReference(c.kind, c.path, c.server, c.database, user, password);
        ParsedReference parsed = ParseExternalReference(reference);
        EXPECT_TRUE(ReferenceFitsKind(parsed.form, c.kind)) << reference.Text();
        EXPECT_STREQ(DestinationConnectionString(c.kind, c.path, c.server, c.database, user, password).Text(),
                     ReferenceConnectionString(parsed, c.kind).Text())
            << reference.Text();
    }
    // The source form of an MDB is spelt differently; both read the same.
    ConnectionRecord record;
    record.Build(DatabaseKind::Mdb, "C:\\a.mdb");
    EXPECT_STREQ("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\a.mdb;",
                 ReferenceConnectionString(ParseExternalReference(record.SourceDatabaseReference()),
                                           DatabaseKind::Mdb).Text());
    EXPECT_STREQ("[Database=C:\\a.mdb;].[a]]b]", record.SourceReference("a]b").Text());
    // A DSN reference stands for any of the three DSN kinds, never for a file or SQL Server.
    ParsedReference dsn = ParseExternalReference(kPg);
    EXPECT_TRUE(ReferenceFitsKind(dsn.form, DatabaseKind::Oracle));
    EXPECT_TRUE(ReferenceConnectionString(dsn, DatabaseKind::SqlServer).IsEmpty());
    EXPECT_TRUE(ReferenceConnectionString(dsn, DatabaseKind::Mdb).IsEmpty());

    for (const char* bad : {"", "[]", "[odbc;DSN=;]", "[DATABASE=a.mdb]", "[Excel 8.0;DATABASE=;]",
                            "[odbc;DSN=a;HOST=b;]", "[odbc;DSN=a;UID=b;PWD=c;", "[Database=a.mdb;UID=x;]"})
        EXPECT_EQ(ReferenceForm::Invalid, ParseExternalReference(bad).form) << bad;
}
