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

}  // namespace

TEST(GeneratedPages, CompileInTheScriptHost)
{
    std::string site = ScratchPath("site");
    MakeDirectory(site.c_str());
    FolderTemplateStore store(ShippedTemplates().c_str());
    std::vector<std::string> files;   // relative to the site
    for (WebKind kind : AllWebKinds()) {
        const WebKindFacts& facts = FactsOf(kind);
        std::string folder = kind == WebKind::CommonFiles ? site : ProjectFolder(site.c_str(), facts.projectName).Text();
        WebMenuOptions menu;
        menu.title = "業務メニュー";
        WebWriteResult result = WriteWebFiles(kind, EmployeeFields(kind), menu, store, folder.c_str());
        ASSERT_EQ(WebRunStatus::Done, result.status) << facts.menuText;
        for (const VornString& name : result.written) {
            std::string relative = kind == WebKind::CommonFiles ? std::string() : std::string(facts.projectName) + "\\";
            relative += name.Text();
            files.push_back(relative);
            std::printf("%-28s %6u\n", relative.c_str(), static_cast<unsigned>(ReadBytes(site + "\\" + relative).size()));
        }
    }

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
