// Every generated server page, include, client script and global.asa, compiled by the
// platform's VBScript engine through cscript. A syntax error makes cscript end with 0 and
// print nothing, so a text counts as compiled only when it reached its leading quit.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "AspScript.h"
#include "TestSupport.h"
#include "WebgenTestSupport.h"
#include "webgen/WebProject.h"

namespace {

struct Unit {
    std::string name;
    std::string text;
};

bool HasExtension(const std::string& name, std::initializer_list<const char*> extensions)
{
    for (const char* extension : extensions) {
        std::string e(extension);
        if (name.size() > e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0)
            return true;
    }
    return false;
}

// cscript's exit code for the file. With details the engine's parser messages go to the
// test's own stderr: Wine writes its debug channels there, not to the child's handles.
DWORD RunScriptHost(const std::string& script, bool details)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "cscript.exe //nologo //B \"" + script + "\"";
    SetEnvironmentVariableA("WINEDEBUG", details ? "fixme+vbscript,err+vbscript" : "-all");
    DWORD code = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &code);
        else
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    SetEnvironmentVariableA("WINEDEBUG", "-all");
    return code;
}

void AddUnit(std::vector<Unit>& units, std::set<std::string>& seen, const std::string& name, const std::string& text)
{
    if (seen.insert(text).second)
        units.push_back({name, text});
}

// The common files and one project per kind for 社員, written once per test program.
const std::vector<std::string>& GeneratedSite(std::string& site)
{
    static std::vector<std::string> files;   // relative to the site
    site = ScratchPath("site");
    if (!files.empty())
        return files;
    MakeDirectory(site.c_str());
    FolderTemplateStore store(ShippedTemplates().c_str());
    for (WebKind kind : AllWebKinds()) {
        const WebKindFacts& facts = FactsOf(kind);
        std::string folder = kind == WebKind::CommonFiles ? site : ProjectFolder(site.c_str(), facts.projectName).Text();
        WebMenuOptions menu;
        menu.title = "業務メニュー";
        WebWriteResult result = WriteWebFiles(kind, EmployeeFields(kind), menu, store, folder.c_str());
        EXPECT_EQ(WebRunStatus::Done, result.status) << facts.menuText;
        for (const VornString& name : result.written) {
            std::string relative = kind == WebKind::CommonFiles ? std::string() : std::string(facts.projectName) + "\\";
            relative += name.Text();
            files.push_back(relative);
            std::printf("%-28s %6u\n", relative.c_str(), static_cast<unsigned>(ReadBytes(site + "\\" + relative).size()));
        }
    }
    return files;
}

}  // namespace

TEST(GeneratedPages, CompileInTheScriptHost)
{
    std::string site;
    const std::vector<std::string>& files = GeneratedSite(site);

    std::vector<Unit> units;
    std::set<std::string> seen;
    for (const std::string& relative : files) {
        std::string path = site + "\\" + relative;
        if (HasExtension(relative, {".asp", ".inc", ".vbs", ".asa"})) {
            std::string error;
            std::string text = ServerScript(path, error);
            EXPECT_EQ("", error) << relative;
            AddUnit(units, seen, relative, text);
        }
        if (HasExtension(relative, {".asp", ".inc", ".htm"})) {
            std::string client = ClientScript(ReadBytes(path));
            if (!client.empty())
                AddUnit(units, seen, relative + " (client)", client);
        }
    }
    // The check itself must notice a syntax error.
    units.push_back({"(broken on purpose)", "WScript.Quit 77\r\nDim a\r\na = 1 +\r\n"});
    EXPECT_GE(units.size(), 40u);

    std::string folder = ScratchPath("vbs");
    MakeDirectory(folder.c_str());
    for (size_t i = 0; i < units.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\%02u.vbs", static_cast<unsigned>(i));
        std::string script = folder + name;
        WriteBytes(script, units[i].text);
        DWORD code = RunScriptHost(script, false);
        bool broken = i + 1 == units.size();
        std::printf("%-36s %s\n", units[i].name.c_str(), code == kCompiledExitCode ? "compiled" : "NOT compiled");
        if (broken) {
            EXPECT_NE(static_cast<DWORD>(kCompiledExitCode), code);
            continue;
        }
        if (code != kCompiledExitCode) {
            RunScriptHost(script, true);
            ADD_FAILURE() << units[i].name << " (" << script << "): exit " << code << ", parser messages above";
        }
    }
}

// Pages run over stand-ins of the ASP objects and ADO: what a request sends reaches SQL as a
// literal with doubled apostrophes and the HTML encoded, as do the database's texts that
// the pages hand back to a form.
TEST(GeneratedPages, RunWithRequestTextKeptOutOfSqlAndHtml)
{
    std::string site;
    GeneratedSite(site);
    const std::string harness = ReadBytes(KESTROVA_WEBGEN_TEST_DATA "/AspHarness.vbs");
    ASSERT_NE("<missing>", harness);
    struct Scenario {
        const char* page;
        const char* setup;
        std::vector<const char*> expected;
        std::vector<const char*> absent;
    } scenarios[] = {
        {"FrameReq\\control.asp",
         "Request.QueryString.Item(\"frame\") = \"body\"\r\n"
         "Request.Form.Item(\"In1002\") = \"O'Brien <b>\"\r\n"
         "FakeRow Array(\"社員番号\", 1, \"氏名\", \"表ソ\")\r\n",
         {"open: select * from 社員 where 氏名 like '%O''Brien <b>%'\r\n", "<TD class=MyCell>表ソ</TD>"},
         {}},
        {"FrameReq\\control.asp",
         "Request.QueryString.Item(\"frame\") = \"head\"\r\n"
         "Session.Contents.Item(\"MyData:/site/project/In1002\") = \"\"\"><script>\"\r\n",
         {"value=\"&quot;&gt;&lt;script&gt;\""},
         {"<script>"}},
        {"FrameMtn\\control.asp",
         "Request.QueryString.Item(\"frame\") = \"body\"\r\n"
         "Request.Form.Item(\"In1001\") = \"1' or '1'='1\"\r\n"
         "Request.Form.Item(\"send\") = \"読込\"\r\n"
         "FakeRow Array(\"社員番号\", 1, \"氏名\", \"<i>山田</i>\")\r\n",
         {"open: select * from 社員 where 社員番号 = '1'' or ''1''=''1'\r\n", "value=\"&lt;i&gt;山田&lt;/i&gt;\""},
         {"<i>"}},
        {"FrameMtn\\control.asp",
         "Request.QueryString.Item(\"frame\") = \"body\"\r\n"
         "Request.Form.Item(\"In1001\") = \"5\"\r\n"
         "Request.Form.Item(\"In2002\") = \"It's\"\r\n"
         "Request.Form.Item(\"send\") = \"登録\"\r\n",
         {"open: select * from 社員 where 社員番号 = '5'\r\naddnew\r\nset: 社員番号 = 5\r\nset: 社員番号 = NULL\r\n"
          "set: 氏名 = It's\r\nset: 部署コード = NULL\r\n",
          "update\r\n", "登録しました"},
         {}},
        {"SignUp\\page2.asp",
         "Request.Form.Item(\"In1001\") = \"7\"\r\n"
         "Request.Form.Item(\"In1002\") = \"<b>x</b>\"\r\n",
         {"&lt;b&gt;x&lt;/b&gt;"},
         {"<b>x", "[redirect"}},
        {"SignUp\\page2.asp", "", {"[redirect page1.asp]"}, {}},
    };
    std::string folder = ScratchPath("runs");
    MakeDirectory(folder.c_str());
    int index = 0;
    for (const Scenario& scenario : scenarios) {
        std::string script = folder + "\\run" + std::to_string(++index) + ".vbs";
        std::string result = script + ".txt";
        RemoveFile(result);
        std::string error;
        std::string text = RunnableScript(site + "\\" + scenario.page,
                                          harness + "FakeResultPath = \"" + result + "\"\r\n" + scenario.setup,
                                          "Call Finish()\r\n", error);
        ASSERT_EQ("", error);
        WriteBytes(script, text);
        DWORD code = RunScriptHost(script, false);
        if (code != kCompiledExitCode)
            RunScriptHost(script, true);
        EXPECT_EQ(static_cast<DWORD>(kCompiledExitCode), code) << scenario.page << " run " << index;
        std::string outcome = ReadBytes(result);
        for (const char* piece : scenario.expected)
            EXPECT_NE(std::string::npos, outcome.find(piece)) << "run " << index << ": " << piece << "\n" << outcome;
        for (const char* piece : scenario.absent)
            EXPECT_EQ(std::string::npos, outcome.find(piece)) << "run " << index << ": " << piece << "\n" << outcome;
    }
}
