// The connection history in the settings file and the dialogs' rules without a window.
#include <gtest/gtest.h>

#include <memory>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/ProfileStore.h"
#include "connect/ConnectionHistory.h"
#include "db/ConnectionRecord.h"

namespace {

// The messages end in ideographic spaces that only widen the box; the words are compared.
std::string WithoutTrailingIdeographicSpaces(const char* text)
{
    std::string s(text);
    while (s.size() >= 2 && s.compare(s.size() - 2, 2, "　") == 0)
        s.erase(s.size() - 2);
    return s;
}

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = ScratchPath("history.ini");
        RemoveFile(path_);
        settings_ = std::make_unique<ProfileStore>(path_.c_str());
    }
    void TearDown() override { RemoveFile(path_); }

    void WriteIni(const std::string& text) { WriteBytes(path_, text); }

    std::vector<std::string> Lines(const char* section) const
    {
        std::vector<std::string> lines;
        TokenList list = settings_->SectionLines(section);
        for (int i = 0; i < list.Count(); ++i)
            if (*list[i])
                lines.push_back(list[i]);
        return lines;
    }

    std::string Value(const char* section, const char* key) const
    {
        VornString value;
        settings_->Read(section, key, value);
        return value.Text();
    }

    ConnectionHistory Loaded(DatabaseKind kind) const
    {
        ConnectionHistory history(kind);
        history.Load(*settings_);
        return history;
    }

    std::string path_;
    std::unique_ptr<ProfileStore> settings_;
};

using LineList = std::vector<std::string>;

}  // namespace

TEST_F(HistoryTest, SameConnectionInAnotherLetterCaseKeepsOneEntry)
{
    WriteIni("[Postgres]\r\nLastConnect=KestrovaPg,sample,kestrova,kestrova\r\n"
             "Cn1=KestrovaPg,sample,kestrova,kestrova\r\n");
    ConnectionHistory postgres = Loaded(DatabaseKind::Postgres);
    postgres.RecordConnection(*settings_, "KESTROVAPG,Sample,Kestrova,KESTROVA", "", ConnectFlags(), nullptr);
    EXPECT_EQ((LineList{"LastConnect=KESTROVAPG,Sample,Kestrova,KESTROVA", "NoSystemCatalog=0",
                     "Cn1=KestrovaPg,sample,kestrova,kestrova"}),
              Lines("Postgres"))
        << "the entry keeps its place and its spelling; LastConnect takes the new one";

    WriteIni("[EXCEL]\r\nCn1=C:\\データ\\表.xls\r\nCn2=C:\\ア.xls\r\n");
    ConnectionHistory excel = Loaded(DatabaseKind::Excel);
    excel.RecordConnection(*settings_, "c:\\データ\\表.XLS", "c:\\データ\\表.XLS", ConnectFlags(), nullptr);
    EXPECT_EQ((LineList{"LastConnect=c:\\データ\\表.XLS", "NoHdr=0", "Hide=0", "Cn1=C:\\データ\\表.xls",
                     "Cn2=C:\\ア.xls"}),
              Lines("EXCEL"));

    // ヂ is 83 61: folding its trail byte like a letter would make it ア (83 41).
    excel = Loaded(DatabaseKind::Excel);
    excel.RecordConnection(*settings_, "C:\\ヂ.xls", "C:\\ヂ.xls", ConnectFlags(), nullptr);
    EXPECT_EQ("C:\\ヂ.xls", Value("EXCEL", "Cn3"));
}

TEST_F(HistoryTest, EntriesAreTheKeysStartingWithCnAndAreNumberedAgainWithoutGaps)
{
    WriteIni("[MySQL]\r\nLastConnect=KestrovaMy,sample,kestrova,kestrova\r\n"
             "Cn1=KestrovaMy,sample,kestrova,kestrova\r\n"
             "Cn3=other,,root,secret\r\n"
             "cN9=third,db,u,p\r\n"
             "Connections=x,y,z,w\r\n"
             "Comment=ignored\r\n");
    ConnectionHistory history = Loaded(DatabaseKind::MySql);
    ASSERT_EQ(3, history.Count()) << "Cn1, Cn3 and cN9; no other key starts with Cn";
    EXPECT_STREQ("other,,root,secret", history.Argument(1));
    EXPECT_STREQ("third,db,u,p", history.Argument(2));

    history.Save(*settings_, "KestrovaMy,sample,kestrova,kestrova", "KestrovaMy,sample,kestrova,kestrova",
                 ConnectFlags(), nullptr);
    EXPECT_EQ((LineList{"LastConnect=KestrovaMy,sample,kestrova,kestrova", "Cn1=KestrovaMy,sample,kestrova,kestrova",
                     "Cn2=other,,root,secret", "Cn3=third,db,u,p"}),
              Lines("MySQL"))
        << "the other keys of the section go with the rewrite";
}

TEST_F(HistoryTest, ServerRowsShowEverythingButThePassword)
{
    WriteIni("[Oracle]\r\nCn1=ORCL,scott,tiger\r\n"
             "[SQLServer]\r\nCn1=db1,売上,sa,pw\r\n"
             "[Postgres]\r\nCn1=KestrovaPg,sample,kestrova,pa,ss\r\n"
             "[MDB]\r\nCn1=C:\\ソ\\表計算.mdb\r\nCn2=D:\\b.mdb\r\n");
    ConnectionHistory oracle = Loaded(DatabaseKind::Oracle);
    ASSERT_EQ(1, oracle.Count());
    ASSERT_EQ(2u, oracle.Row(0).cells.size()) << "DSN and user";
    EXPECT_STREQ("ORCL", oracle.Row(0).cells[0]);
    EXPECT_STREQ("scott", oracle.Row(0).cells[1]);
    EXPECT_STREQ("tiger", oracle.Row(0).password);
    EXPECT_STREQ("ORCL,scott,tiger", oracle.Argument(0));
    ConnectFields fields = oracle.Fields(0);
    EXPECT_STREQ("ORCL", fields.server);
    EXPECT_STREQ("", fields.database);
    EXPECT_STREQ("scott", fields.user);
    EXPECT_STREQ("tiger", fields.password);

    ConnectionHistory sqlServer = Loaded(DatabaseKind::SqlServer);
    ASSERT_EQ(3u, sqlServer.Row(0).cells.size());
    EXPECT_STREQ("売上", sqlServer.Row(0).cells[1]);
    EXPECT_STREQ("sa", sqlServer.Row(0).cells[2]);
    EXPECT_STREQ("pw", sqlServer.Row(0).password);

    // ソ ends in 5C: a byte scan would take it for the last backslash.
    ConnectionHistory mdb = Loaded(DatabaseKind::Mdb);
    ASSERT_EQ(2, mdb.Count());
    EXPECT_STREQ(" 1", mdb.Row(0).cells[0]);
    EXPECT_STREQ("表計算.mdb", mdb.Row(0).cells[1]);
    EXPECT_STREQ("C:\\ソ\\表計算.mdb", mdb.Row(0).cells[2]);
    EXPECT_STREQ(" 2", mdb.Row(1).cells[0]);
    EXPECT_STREQ("D:\\b.mdb", mdb.Argument(1));
}

TEST_F(HistoryTest, PasswordWithACommaIsCutByTheConnectionButKeptWholeByTheHistory)
{
    const char* argument = "KestrovaPg,sample,kestrova,pa,ss";
    // The format has no quoting: the connection sees two parts where the password was.
    ConnectArgument parts = ConnectArgument::Parse(DatabaseKind::Postgres, argument);
    EXPECT_STREQ("pa", parts.password);

    WriteIni(std::string("[Postgres]\r\nLastConnect=") + argument + "\r\nCn1=" + argument + "\r\n");
    ConnectionHistory history = Loaded(DatabaseKind::Postgres);
    ASSERT_EQ(3u, history.Row(0).cells.size());
    EXPECT_STREQ("kestrova", history.Row(0).cells[2]);
    EXPECT_STREQ("pa,ss", history.Row(0).password) << "the tail is not lost from the hidden list";
    EXPECT_STREQ("pa,ss", SplitArgument(DatabaseKind::Postgres, argument).password);

    history.RecordConnection(*settings_, argument, "", ConnectFlags(), nullptr);
    EXPECT_EQ((LineList{std::string("LastConnect=") + argument, "NoSystemCatalog=0", std::string("Cn1=") + argument}),
              Lines("Postgres"));
}

TEST_F(HistoryTest, DeletingEveryRowLeavesTheSaveArgumentAsTheOnlyEntryExceptForExcel)
{
    WriteIni("[EXCEL]\r\nLastConnect=C:\\a.xls\r\nNoHdr=1\r\nHide=0\r\nCn1=C:\\a.xls\r\nCn2=C:\\b.xls\r\n"
             "[MDB]\r\nLastConnect=C:\\a.mdb\r\nCn1=C:\\a.mdb\r\nCn2=C:\\b.mdb\r\n"
             "[SQLServer]\r\nLastConnect=srv,db,sa,pw\r\nNoSystemTable=1\r\nNoSystemView=0\r\n"
             "Cn1=other,db,sa,pw\r\nCn2=srv,db,sa,pw\r\n"
             "[MySQL]\r\nCn1=KestrovaMy,sample,kestrova,kestrova\r\n");
    ConnectFlags excelFlags;
    excelFlags.noHeader = true;
    ConnectionHistory excel = Loaded(DatabaseKind::Excel);
    excel.Remove({1, 0});
    ConnectionRecord record;
    excel.SaveAfterRemoval(*settings_, "C:\\typed.xls", excelFlags, &record);
    EXPECT_EQ((LineList{"LastConnect=C:\\typed.xls", "NoHdr=1", "Hide=0"}), Lines("EXCEL"));
    EXPECT_TRUE(record.noHeader);

    ConnectionHistory mdb = Loaded(DatabaseKind::Mdb);
    mdb.Remove({0, 1});
    mdb.SaveAfterRemoval(*settings_, "C:\\a.mdb", ConnectFlags(), nullptr);
    EXPECT_EQ((LineList{"LastConnect=C:\\a.mdb", "Cn1=C:\\a.mdb"}), Lines("MDB"));

    ConnectFlags serverFlags;
    serverFlags.noSystemTable = true;
    ConnectionHistory sqlServer = Loaded(DatabaseKind::SqlServer);
    sqlServer.Remove({0, 1, 1});
    sqlServer.SaveAfterRemoval(*settings_, "", serverFlags, nullptr);
    EXPECT_EQ((LineList{"LastConnect=srv,db,sa,pw", "NoSystemTable=1", "NoSystemView=0", "Cn1=srv,db,sa,pw"}),
              Lines("SQLServer"))
        << "the section's LastConnect is the argument of that save";

    // Without a LastConnect nothing comes back and no LastConnect is written.
    ConnectionHistory mySql = Loaded(DatabaseKind::MySql);
    mySql.Remove({0});
    mySql.SaveAfterRemoval(*settings_, "", ConnectFlags(), nullptr);
    EXPECT_TRUE(Lines("MySQL").empty());
}

TEST_F(HistoryTest, RemovingSomeRowsKeepsTheRestInOrderAndNumbersTheFileRowsAgain)
{
    WriteIni("[MDB]\r\nCn1=C:\\1.mdb\r\nCn2=C:\\2.mdb\r\nCn3=C:\\3.mdb\r\nCn4=C:\\4.mdb\r\n");
    ConnectionHistory mdb = Loaded(DatabaseKind::Mdb);
    mdb.Remove({2, 0, 7, -1});
    ASSERT_EQ(2, mdb.Count());
    EXPECT_STREQ(" 1", mdb.Row(0).cells[0]);
    EXPECT_STREQ("C:\\2.mdb", mdb.Argument(0));
    EXPECT_STREQ(" 2", mdb.Row(1).cells[0]);
    EXPECT_STREQ("C:\\4.mdb", mdb.Argument(1));
}

TEST_F(HistoryTest, ExcelSaveLeavesTheNewEntryToTheConnection)
{
    WriteIni("[EXCEL]\r\nCn1=C:\\a.xls\r\n");
    ConnectionHistory excel = Loaded(DatabaseKind::Excel);
    EXPECT_EQ(2, excel.Save(*settings_, "C:\\new.xls", "C:\\field.xls", ConnectFlags(), nullptr));
    EXPECT_EQ((LineList{"LastConnect=C:\\field.xls", "NoHdr=0", "Hide=0", "Cn1=C:\\a.xls"}), Lines("EXCEL"));
    EXPECT_EQ(0, excel.Save(*settings_, "c:\\A.XLS", "C:\\field.xls", ConnectFlags(), nullptr)) << "matched";
    EXPECT_EQ(0, excel.Save(*settings_, "", "C:\\field.xls", ConnectFlags(), nullptr)) << "empty";

    // A browsed file differs from the path field: the entry and LastConnect are the argument.
    excel.RecordConnection(*settings_, "C:\\new.xls", "C:\\field.xls", ConnectFlags(), nullptr);
    EXPECT_EQ((LineList{"LastConnect=C:\\new.xls", "NoHdr=0", "Hide=0", "Cn1=C:\\a.xls", "Cn2=C:\\new.xls"}),
              Lines("EXCEL"));

    // The other kinds write the new entry in the save itself.
    ConnectionHistory mdb(DatabaseKind::Mdb);
    EXPECT_EQ(0, mdb.Save(*settings_, "C:\\x.mdb", "C:\\x.mdb", ConnectFlags(), nullptr));
    EXPECT_EQ((LineList{"LastConnect=C:\\x.mdb", "Cn1=C:\\x.mdb"}), Lines("MDB"));
}

TEST_F(HistoryTest, FlagsAreOnOnlyForOneAndAreWrittenAsOneOrZero)
{
    struct Case {
        const char* value;
        bool on;
    } cases[] = {{"1", true}, {"0", false}, {"11", false}, {"yes", false}, {"true", false}, {"", false}};
    for (const Case& c : cases) {
        WriteIni(std::string("[EXCEL]\r\nNoHdr=") + c.value + "\r\nHide=" + c.value + "\r\n[SQLServer]\r\nNoSystemTable=" +
                 c.value + "\r\nNoSystemView=" + c.value + "\r\n[Postgres]\r\nNoSystemCatalog=" + c.value + "\r\n");
        ConnectFlags excel = ConnectFlags::Load(*settings_, DatabaseKind::Excel);
        ConnectFlags sqlServer = ConnectFlags::Load(*settings_, DatabaseKind::SqlServer);
        ConnectFlags postgres = ConnectFlags::Load(*settings_, DatabaseKind::Postgres);
        EXPECT_EQ(c.on, excel.noHeader) << c.value;
        EXPECT_EQ(c.on, excel.hideSheets) << c.value;
        EXPECT_EQ(c.on, sqlServer.noSystemTable) << c.value;
        EXPECT_EQ(c.on, sqlServer.noSystemView) << c.value;
        EXPECT_EQ(c.on, postgres.noSystemCatalog) << c.value;
        EXPECT_FALSE(sqlServer.noHeader || excel.noSystemTable) << "each kind reads its own keys";
    }

    // Each kind writes and copies only its own flags.
    RemoveFile(path_);
    ConnectFlags all;
    all.noHeader = all.hideSheets = all.noSystemTable = all.noSystemView = all.noSystemCatalog = true;
    ConnectionRecord record;
    for (DatabaseKind kind : {DatabaseKind::Mdb, DatabaseKind::MySql, DatabaseKind::Oracle}) {
        all.Write(*settings_, kind);
        all.CopyTo(record, kind);
        EXPECT_TRUE(Lines(KindSectionName(kind)).empty());
    }
    EXPECT_FALSE(record.noHeader || record.hideSheets || record.noSystemTable || record.noSystemView ||
                 record.noSystemCatalog);
    ConnectFlags some;
    some.noSystemView = true;
    some.Write(*settings_, DatabaseKind::SqlServer);
    EXPECT_EQ((LineList{"NoSystemTable=0", "NoSystemView=1"}), Lines("SQLServer"));
    all.CopyTo(record, DatabaseKind::Postgres);
    EXPECT_TRUE(record.noSystemCatalog);
    EXPECT_FALSE(record.noSystemTable);

    // A dropped workbook takes NoHdr and Hide from the settings.
    WriteIni("[EXCEL]\r\nNoHdr=1\r\nHide=0\r\n");
    ConnectionRecord dropped;
    dropped.hideSheets = true;
    LoadExcelFlags(*settings_, dropped);
    EXPECT_TRUE(dropped.noHeader);
    EXPECT_FALSE(dropped.hideSheets);
}

TEST_F(HistoryTest, FlagsOfTheSaveReachTheRecordAndSurviveBuildingTheConnection)
{
    ConnectFlags flags;
    flags.noHeader = true;
    flags.hideSheets = true;
    ConnectionRecord record;
    ConnectionHistory excel(DatabaseKind::Excel);
    excel.RecordConnection(*settings_, "C:\\book.xls", "C:\\book.xls", flags, &record);
    ASSERT_TRUE(record.Build(DatabaseKind::Excel, "C:\\book.xls"));
    EXPECT_TRUE(record.noHeader);
    EXPECT_TRUE(record.hideSheets);
    EXPECT_EQ(std::string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\book.xls;Extended Properties=\"Excel 8.0;HDR=No\""),
              record.connectionString.Text());
}

TEST(ConnectArguments, LastConnectFillsTheFieldsInTheOrderOfTheKind)
{
    ConnectFields postgres = SplitArgument(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    EXPECT_STREQ("KestrovaPg", postgres.server);
    EXPECT_STREQ("sample", postgres.database);
    EXPECT_STREQ("kestrova", postgres.user);
    EXPECT_STREQ("kestrova", postgres.password);
    ConnectFields shortOne = SplitArgument(DatabaseKind::SqlServer, "srv");
    EXPECT_STREQ("srv", shortOne.server);
    EXPECT_STREQ("", shortOne.database);
    EXPECT_STREQ("", shortOne.password);
    ConnectFields excel = SplitArgument(DatabaseKind::Excel, "C:\\a,b.xls");
    EXPECT_STREQ("C:\\a,b.xls", excel.path) << "a path is never cut";
    EXPECT_STREQ("", excel.server);
}

TEST(ConnectArguments, OkTrimsServerAndUserAndRefusesWhatIsMissing)
{
    struct Case {
        DatabaseKind kind;
        const char* server;
        const char* database;
        const char* user;
        const char* password;
        const char* argument;     // null: refused
        const char* message;      // without the trailing ideographic spaces
        BuiltArgument::Missing missing;
    } cases[] = {
        {DatabaseKind::Postgres, "　KestrovaPg ", "sample", " kestrova　", " pw ", "KestrovaPg,sample,kestrova, pw ", nullptr,
         BuiltArgument::None},
        {DatabaseKind::MySql, "KestrovaMy", "", "root", "", "KestrovaMy,,root,", nullptr, BuiltArgument::None},
        {DatabaseKind::Oracle, "ORCL", "ignored", "scott", "tiger", "ORCL,scott,tiger", nullptr, BuiltArgument::None},
        {DatabaseKind::SqlServer, "srv", "売上", "sa", "表", "srv,売上,sa,表", nullptr, BuiltArgument::None},
        {DatabaseKind::SqlServer, " 　 ", "db", "sa", "pw", nullptr, "サーバーを入力して下さい", BuiltArgument::Server},
        {DatabaseKind::MySql, "", "db", "sa", "pw", nullptr, "DSN を入力して下さい", BuiltArgument::Server},
        {DatabaseKind::Oracle, "", "", "sa", "pw", nullptr, "DSN を入力して下さい", BuiltArgument::Server},
        {DatabaseKind::Postgres, "", "", "", "", nullptr, "DSN を入力して下さい", BuiltArgument::Server},
        {DatabaseKind::Postgres, "KestrovaPg", "sample", "　", "pw", nullptr, "ユーザーを入力して下さい",
         BuiltArgument::User},
    };
    for (const Case& c : cases) {
        ConnectFields fields;
        fields.server = c.server;
        fields.database = c.database;
        fields.user = c.user;
        fields.password = c.password;
        BuiltArgument built = BuildServerArgument(c.kind, fields);
        SCOPED_TRACE(c.server);
        if (c.argument) {
            EXPECT_TRUE(built.IsComplete());
            EXPECT_STREQ(c.argument, built.argument);
        } else {
            ASSERT_FALSE(built.IsComplete());
            EXPECT_EQ(c.message, WithoutTrailingIdeographicSpaces(built.message));
            EXPECT_EQ(c.missing, built.missing);
            EXPECT_STREQ("", built.argument);
        }
    }
}

TEST(ConnectArguments, OtherDsnIsTrimmedOrRefused)
{
    BuiltArgument built = BuildOtherDsn(" 　KestrovaXl　");
    EXPECT_TRUE(built.IsComplete());
    EXPECT_STREQ("KestrovaXl", built.argument);
    built = BuildOtherDsn("　 ");
    ASSERT_FALSE(built.IsComplete());
    EXPECT_EQ("DSNを指定して下さい", WithoutTrailingIdeographicSpaces(built.message));
    EXPECT_NE(std::string(built.message), "DSNを指定して下さい") << "stored with the widening spaces";
    // ａ is 82 81: with the "@" after it the last two bytes look like an ideographic space.
    EXPECT_STREQ("ａ@", TrimSpaces("ａ@"));
    EXPECT_STREQ("\t表", TrimSpaces("\t表 ")) << "only spaces are trimmed, not tabs";
}

TEST(ConnectArguments, TitleIsApplicationTitleTagAndArgumentAsItIs)
{
    EXPECT_STREQ("Kestrova -- [Postgres] -- KestrovaPg,sample,kestrova,kestrova",
                 ConnectedTitle("Kestrova", DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"));
    EXPECT_STREQ("K -- [SQLserver] -- s,d,u,p", ConnectedTitle("K", DatabaseKind::SqlServer, "s,d,u,p"));
    EXPECT_STREQ("K -- [EXCEL] -- C:\\表.xls", ConnectedTitle("K", DatabaseKind::Excel, "C:\\表.xls"));
}
