// The shipped PostgreSQL and MySQL menu files run against the sample databases through the
// database link, as the menus run them: plain SQL as one Free SQL statement, "@SCHEMA" files
// as schema queries. Files that would ask the user for input are left out; the selection
// macros get the sample's table 社員.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "app/MenuFiles.h"
#include "common/GridView.h"
#include "common/TextFile.h"
#include "db/DbLink.h"

namespace {

const char* const kInputMacros[] = {"$TEXT", "$SAVE", "$OPEN", "$DIR", "$FILE", "$CONFIRM", "$COLUMN",
                                    "$LISTCOLUMN", "$LISTTABLE", "$LISTSPACE"};

struct Outcome {
    int ran = 0;
    int schemas = 0;
    std::vector<std::string> failures;
};

class ShippedSqlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("メニュー", false);
        grid_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        link_.messageSink = [this](HWND, const char* text) { messages_.push_back(text); };
    }

    // Runs every menu file of the kind's folder that needs no input; returns what happened.
    Outcome RunFolder(const char* kindFolder)
    {
        Outcome outcome;
        std::string folder = std::string(KESTROVA_SHIPPED_DATA) + "\\" + kindFolder + "\\menu";
        MenuFileList list;
        EXPECT_TRUE(list.Build(nullptr, folder.c_str(), kKindMenuBase));
        for (UINT id = kKindMenuBase; id < kKindMenuBase + list.Count(); ++id) {
            if (IsSeparatorCaption(list.CaptionOf(id)))
                continue;
            TextFile file;
            VornString text;
            if (!file.OpenRead(list.PathOf(id)) || !file.ReadAll(text)) {
                outcome.failures.push_back(std::string("unreadable ") + list.PathOf(id).Text());
                continue;
            }
            bool needsInput = false;
            for (const char* macro : kInputMacros)
                needsInput = needsInput || text.Find(macro) >= 0;
            if (needsInput)
                continue;
            text.ReplaceAll("$TABLE", "社員");
            text.ReplaceAll("$DATABASE", "sample");
            std::string caption = list.CaptionOf(id).Text();
            messages_.clear();
            if (text.StartsWith("@SCHEMA\n")) {
                ++outcome.schemas;
                if (RunSchema(text) < 0)
                    outcome.failures.push_back(caption + ": " + Messages());
            } else if (text.StartsWith("@")) {
                continue;
            } else {
                ++outcome.ran;
                link_.sqlText = text;
                int rows = link_.FillResultList(*grid_);
                if (rows < 0 && rows != -99)
                    outcome.failures.push_back(caption + ": " + Messages());
            }
        }
        return outcome;
    }

    // Line 1 the schema, line 2 the count of restrictions, then the restrictions and the
    // sort text; with fewer than four lines the schema alone.
    int RunSchema(const VornString& text)
    {
        TokenList lines(text, '\n');
        long schema = atol(lines[1]);
        if (lines.Count() < 5)  // "@SCHEMA", the number, a count, and the final empty field
            return link_.FillSchemaList(*grid_, schema, nullptr, "");
        int count = atoi(lines[2]);
        std::vector<VornString> restrictions;
        for (int i = 0; i < count; ++i)
            restrictions.push_back(lines[3 + i]);
        return link_.FillSchemaList(*grid_, schema, &restrictions, lines[3 + count]);
    }

    std::string Messages()
    {
        std::string all;
        for (const std::string& message : messages_)
            all += message + " ";
        return all + link_.ErrorText.Text();
    }

    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> grid_;
    DbLink link_;
    std::vector<std::string> messages_;
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    return all;
}

}  // namespace

TEST_F(ShippedSqlTest, PostgresMenuStatementsRunOnTheSampleDatabase)
{
    ASSERT_TRUE(link_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"));
    Outcome outcome = RunFolder("Postgres");
    EXPECT_TRUE(outcome.failures.empty()) << Joined(outcome.failures);
    EXPECT_GE(outcome.ran, 15);
    EXPECT_GE(outcome.schemas, 4);
}

TEST_F(ShippedSqlTest, MySqlMenuStatementsRunOnTheSampleDatabase)
{
    ASSERT_TRUE(link_.BuildConnection(DatabaseKind::MySql, "KestrovaMy,sample,kestrova,kestrova"));
    Outcome outcome = RunFolder("MySQL");
    EXPECT_TRUE(outcome.failures.empty()) << Joined(outcome.failures);
    EXPECT_GE(outcome.ran, 18);
    EXPECT_GE(outcome.schemas, 2);
}

TEST_F(ShippedSqlTest, ProviderTypeNamesComeFromTheTypeSchema)
{
    ASSERT_TRUE(link_.BuildConnection(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova"));
    TokenList names = ProviderTypeNames(link_, *grid_);
    VornString list = JoinTokens(names);
    EXPECT_GE(names.Count(), 10) << list.Text();
    EXPECT_GE(list.Find("int4"), 0) << list.Text();
    EXPECT_GE(list.Find("varchar"), 0) << list.Text();

    link_.BuildConnection(DatabaseKind::Postgres, "KestrovaNoSuchDsn,,x,y");
    EXPECT_STREQ("", JoinTokens(ProviderTypeNames(link_, *grid_)).Text());
}
