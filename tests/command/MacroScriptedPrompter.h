// A prompter that answers the input step's dialogs from a script and records what it was
// asked, so the input step runs without windows.
#pragma once

#include <string>
#include <vector>

#include "command/MacroExpansion.h"

class ScriptedPrompter : public MacroPrompter {
public:
    // Answers in order; an answer of nullptr cancels that dialog. Running out cancels.
    std::vector<const char*> answers;
    // One line per call: "confirm:MSG", "text1:DEFAULT|COMMENT|CHOICE;CHOICE",
    // "save:TITLE|FILTER|EXT|FOLDER", "open:...", "dir:TITLE", "files:..." .
    std::vector<std::string> calls;
    MacroFilesRequest lastFiles;

    bool Confirm(const char* message) override
    {
        calls.push_back(std::string("confirm:") + message);
        return Next() != nullptr;
    }
    bool AskText(int number, const char* defaultText, const char* comment, const std::vector<VornString>& choices,
                 VornString& text) override
    {
        std::string call = "text" + std::to_string(number) + ":" + defaultText + "|" + comment + "|";
        for (size_t i = 0; i < choices.size(); ++i)
            call += (i ? ";" : "") + std::string(choices[i].Text());
        calls.push_back(call);
        return Answer(text);
    }
    bool ChooseSaveFile(const MacroFileRequest& request, VornString& path) override
    {
        calls.push_back("save:" + Describe(request));
        return Answer(path);
    }
    bool ChooseOpenFile(const MacroFileRequest& request, VornString& path) override
    {
        calls.push_back("open:" + Describe(request));
        return Answer(path);
    }
    bool ChooseFolder(const char* title, VornString& path) override
    {
        calls.push_back(std::string("dir:") + title);
        return Answer(path);
    }
    bool ChooseFiles(const MacroFilesRequest& request, VornString paths[3]) override
    {
        lastFiles = request;
        std::string call = "files:";
        for (int i = 0; i < 3; ++i)
            call += std::string(i ? ";" : "") + (request.active[i] ? "on" : "off") + "|" +
                    request.comment[i].Text() + "|" + Describe(request.browse[i]);
        calls.push_back(call);
        for (int i = 0; i < 3; ++i) {
            if (!request.active[i])
                continue;
            if (!Answer(paths[i]))
                return false;
        }
        return true;
    }

    static std::string Describe(const MacroFileRequest& request)
    {
        return std::string(request.title.Text()) + "|" + request.filter.Text() + "|" +
               request.defaultExtension.Text() + "|" + request.initialFolder.Text();
    }

private:
    const char* Next()
    {
        if (position_ >= answers.size())
            return nullptr;
        return answers[position_++];
    }
    bool Answer(VornString& out)
    {
        const char* answer = Next();
        if (!answer)
            return false;
        out = answer;
        return true;
    }
    size_t position_ = 0;
};
