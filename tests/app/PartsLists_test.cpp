// The parts lists of a kind folder: files joined by ",", and each kind's defaults.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "app/MenuFileRules.h"
#include "app/PartsLists.h"

#ifdef _WIN32
#include <direct.h>
#define MAKE_FOLDER(path) _mkdir(path)
#else
#include <sys/stat.h>
#define MAKE_FOLDER(path) mkdir(path, 0755)
#endif

namespace {

const DatabaseKind kAllKinds[] = {DatabaseKind::Excel, DatabaseKind::Mdb, DatabaseKind::SqlServer,
                                  DatabaseKind::MySql, DatabaseKind::Oracle, DatabaseKind::Postgres};

// A kind folder with an empty "parts" folder below it, emptied of earlier files.
std::string KindFolderWithParts(const char* name)
{
    std::string folder = ScratchPath(name);
    MAKE_FOLDER(folder.c_str());
    std::string parts = JoinPath(folder.c_str(), "parts").Text();
    MAKE_FOLDER(parts.c_str());
    for (const char* file : {"Cond.txt", "Type.txt", "Option1.txt", "Option2.txt", "Option3.txt"})
        RemoveFile(JoinPath(parts.c_str(), file).Text());
    return folder;
}

std::string PartsPath(const std::string& folder, const char* file)
{
    return JoinPath(JoinPath(folder.c_str(), "parts"), file).Text();
}

}  // namespace

TEST(PartsDefaults, EveryListOfEveryKindWhenTheFilesAreMissing)
{
    const char* condJet = "=,<,>,<=,>=,<>,,NULL,not NULL,IN,BETWEEN,LIKE,not IN,not BETWEEN,not LIKE,フリー入力";
    const char* condOthers = "=,<,>,<=,>=,!=,,NULL,not NULL,IN,BETWEEN,LIKE,not IN,not BETWEEN,not LIKE,フリー入力";
    struct Case {
        DatabaseKind kind;
        const char* cond;
        const char* option1;
        const char* option2;
        const char* option3;
    } cases[] = {
        {DatabaseKind::Excel, condJet, "", ",NULL,Now(),Date(),Time(),フリー入力", ""},
        {DatabaseKind::Mdb, condJet, ",not NULL,with COMP", ",NULL,Now(),Date(),Time(),フリー入力", ",not NULL"},
        {DatabaseKind::SqlServer, condOthers, "", ",NULL,getdate(),フリー入力", ",not NULL"},
        {DatabaseKind::MySql, condOthers, "", ",NULL,フリー入力", ",not NULL"},
        {DatabaseKind::Oracle, condOthers, ",not NULL", ",NULL,sysdate,フリー入力", ",not NULL"},
        {DatabaseKind::Postgres, condOthers, "", ",NULL,フリー入力", ",not NULL"},
    };
    std::string folder = KindFolderWithParts("parts-empty");
    for (const Case& c : cases) {
        int asked = 0;
        PartsLists lists = LoadPartsLists(folder.c_str(), c.kind, [&asked] {
            ++asked;
            return TokenList("int4,varchar,日付型", ',');
        });
        SCOPED_TRACE(KindSectionName(c.kind));
        EXPECT_STREQ(c.cond, lists.cond.Text());
        EXPECT_STREQ(c.option1, lists.option1.Text());
        EXPECT_STREQ(c.option2, lists.option2.Text());
        EXPECT_STREQ(c.option3, lists.option3.Text());
        EXPECT_STREQ("int4,varchar,日付型", lists.type.Text());
        EXPECT_EQ(1, asked);
    }
}

TEST(PartsDefaults, SqlServerWithoutOption2OffersGetdate)
{
    std::string folder = KindFolderWithParts("parts-sqlserver");
    WriteBytes(PartsPath(folder, "Option1.txt"), "\r\nIDENTITY\r\n");
    PartsLists lists = LoadPartsLists(folder.c_str(), DatabaseKind::SqlServer, nullptr);
    EXPECT_STREQ(",NULL,getdate(),フリー入力", lists.option2.Text());
    EXPECT_STREQ(",IDENTITY", lists.option1.Text());
    EXPECT_STREQ("", lists.type.Text()) << "no provider to ask";
}

TEST(PartsFiles, LinesAreJoinedByCommasWithEmptyLinesKept)
{
    std::string folder = KindFolderWithParts("parts-files");
    WriteBytes(PartsPath(folder, "Cond.txt"), "=\r\n<>\r\n\r\nLIKE\r\nフリー入力\r\n");
    WriteBytes(PartsPath(folder, "Type.txt"), "varchar\r\n表示\r\nnumeric");  // no line end at the end
    WriteBytes(PartsPath(folder, "Option2.txt"), "\nNULL\nnow()\n");           // LF alone is a line end too
    WriteBytes(PartsPath(folder, "Option3.txt"), "");                          // present but empty
    bool asked = false;
    PartsLists lists = LoadPartsLists(folder.c_str(), DatabaseKind::Postgres, [&asked] {
        asked = true;
        return TokenList();
    });
    EXPECT_STREQ("=,<>,,LIKE,フリー入力", lists.cond.Text());
    EXPECT_STREQ("varchar,表示,numeric", lists.type.Text());
    EXPECT_FALSE(asked) << "a Type.txt makes the provider's list unnecessary";
    EXPECT_STREQ(",NULL,now()", lists.option2.Text());
    EXPECT_STREQ("", lists.option3.Text());
    EXPECT_STREQ("", lists.option1.Text()) << "missing: PostgreSQL's default";
}

TEST(PartsFiles, MissingFolderGivesTheDefaults)
{
    for (DatabaseKind kind : kAllKinds) {
        PartsLists lists = LoadPartsLists(ScratchPath("no-such-kind-folder").c_str(), kind, nullptr);
        EXPECT_STREQ(DefaultPartsList(kind, PartsFile::Cond), lists.cond.Text());
        EXPECT_STREQ(DefaultPartsList(kind, PartsFile::Option3), lists.option3.Text());
    }
    VornString list("previous");
    EXPECT_FALSE(ReadPartsFile(ScratchPath("no-such-file.txt").c_str(), list));
    EXPECT_STREQ("", list.Text());
}
