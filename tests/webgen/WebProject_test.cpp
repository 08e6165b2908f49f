// The template store of the program folder and the files a run leaves on disk: the
// shipped templates hold every section the generators ask for.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WebgenTestSupport.h"
#include "webgen/WebProject.h"

namespace {

std::string Join(const std::string& folder, const char* name) { return WebPath(folder.c_str(), name).Text(); }

std::string FreshFolder(const char* name)
{
    std::string folder = ScratchPath(name);
    MakeDirectory(folder.c_str());
    return folder;
}

}  // namespace

TEST(FolderTemplateStore, ReadsSectionsAndTellsMissingFromUnreachable)
{
    std::string root = FreshFolder("store");
    MakeDirectory(Join(root, "ASPMenu").c_str());
    // CR LF on disk; the last line end belongs to the file, not to the section.
    WriteBytes(Join(Join(root, "ASPMenu"), "index.asp"), "<%\r\n表ソ\r\n%>\r\n");
    FolderTemplateStore store(root.c_str());
    VornString text;
    EXPECT_EQ(SectionStatus::Found, store.ReadSection("ASPMenu", "index.asp", text));
    EXPECT_STREQ("<%\n表ソ\n%>", text);
    EXPECT_EQ(SectionStatus::Missing, store.ReadSection("ASPMenu", "model.inc", text));
    EXPECT_EQ(SectionStatus::Unreachable, store.ReadSection("ASP", "common.inc", text));

    struct Fixed : TemplateStore {
        SectionStatus status;
        explicit Fixed(SectionStatus s) : status(s) {}
        SectionStatus ReadSection(const char*, const char*, VornString& t) override
        {
            t = "first";
            return status;
        }
    };
    LayeredTemplateStore missingFirst(std::unique_ptr<TemplateStore>(new Fixed(SectionStatus::Missing)),
                                      std::unique_ptr<TemplateStore>(new FolderTemplateStore(root.c_str())));
    EXPECT_EQ(SectionStatus::Missing, missingFirst.ReadSection("ASPMenu", "index.asp", text))
        << "a table the first store has is not looked up again";
    LayeredTemplateStore absentFirst(std::unique_ptr<TemplateStore>(new Fixed(SectionStatus::Unreachable)),
                                     std::unique_ptr<TemplateStore>(new FolderTemplateStore(root.c_str())));
    EXPECT_EQ(SectionStatus::Found, absentFirst.ReadSection("ASPMenu", "index.asp", text));
    EXPECT_STREQ("<%\n表ソ\n%>", text);
}

TEST(WebProjectFiles, WrittenInTextModeUntilASectionIsMissing)
{
    EXPECT_STREQ(WebPath("base", "Proj").Text(), ProjectFolder("base\\\\", "Proj"));
    EXPECT_STREQ(WebPath("C:\\表", "Proj").Text(), ProjectFolder("C:\\表", "Proj")) << "表 ends in 0x5C";

    std::string root = FreshFolder("partial-store");
    std::string table = Join(root, "ASPFrameMtn");
    MakeDirectory(table.c_str());
    for (const char* key : {"view-1", "view-1-2", "view-2", "view-3", "view2-1", "view2-2", "model-1", "model-2"})
        WriteBytes(Join(table, key), std::string("'") + key + "\r\n");
    FolderTemplateStore store(root.c_str());
    WebFields fields;
    fields.table = "社員";
    fields.left = ColumnsFromDefinition(EmployeeDefinition());
    fields.left.resize(1);
    fields.right = fields.left;
    std::string project = ProjectFolder(ScratchPath("").c_str(), "StopsAtModel").Text();
    WebWriteResult result = WriteWebFiles(WebKind::FrameMaintenance, fields, WebMenuOptions(), store, project.c_str());
    EXPECT_EQ(WebRunStatus::SectionMissing, result.status);
    ASSERT_EQ(2u, result.written.size());
    EXPECT_STREQ("view.inc", result.written[0]);
    EXPECT_STREQ("view2.inc", result.written[1]);
    std::string view2 = ReadBytes(Join(project, "view2.inc"));
    EXPECT_EQ(0u, view2.find("'view2-1\r\n<TR>\r\n")) << view2;
    EXPECT_EQ("<missing>", ReadBytes(Join(project, "model.inc")));

    WebWriteResult unreachable = WriteWebFiles(WebKind::SignUp, fields, WebMenuOptions(), store, project.c_str());
    EXPECT_EQ(WebRunStatus::StoreUnreachable, unreachable.status);
    EXPECT_TRUE(unreachable.written.empty());
}

TEST(ShippedTemplates, EveryKindBuildsFromTheProgramFolder)
{
    FolderTemplateStore store(ShippedTemplates().c_str());
    std::map<std::string, int> sectionsRead;
    struct Counting : TemplateStore {
        TemplateStore& inner;
        std::map<std::string, int>& seen;
        Counting(TemplateStore& i, std::map<std::string, int>& s) : inner(i), seen(s) {}
        SectionStatus ReadSection(const char* table, const char* key, VornString& text) override
        {
            ++seen[std::string(table) + ":" + key];
            SectionStatus status = inner.ReadSection(table, key, text);
            EXPECT_EQ(SectionStatus::Found, status) << table << ":" << key;
            EXPECT_FALSE(text.IsEmpty()) << table << ":" << key;
            return status;
        }
    } counting(store, sectionsRead);
    for (WebKind kind : AllWebKinds()) {
        WebMenuOptions menu;
        for (int columns : {1, 2, 3}) {
            menu.columns = columns;
            EXPECT_EQ(WebRunStatus::Done,
                      BuildWebFiles(kind, EmployeeFields(kind), menu, counting, [](const char*, const VornString&) {}))
                << FactsOf(kind).menuText;
        }
    }
    // Every section of the template tables is asked for by some generator.
    EXPECT_EQ(81u, sectionsRead.size());
}
