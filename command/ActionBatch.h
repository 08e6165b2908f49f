// The run of a non-SQL text: its run options, the files it is written to and the generated
// "Action.bat" that starts it and collects its output. Window-free: the runner writes what
// the plan says and starts the batch file.
#pragma once

#include "common/VornString.h"

// The "$" words of a text to run.
struct RunOptions {
    bool console = false;
    bool wait = false;
    bool viewResult = false;
    bool noResult = false;
    bool noRedirect = false;
    bool reload = false;
    bool html = false;
    bool wscript = false;
};

// Removes every run option from text (in the order of their table) and says which were
// there; consoleDefault and htmlDefault come from "Console" and "ActionExtIsHtml".
RunOptions TakeRunOptions(VornString& text, bool consoleDefault, bool htmlDefault);

struct RunSettings {
    VornString programFolder;  // without a trailing backslash
    VornString shell;          // "Shell", trimmed; empty for cmd.exe
    VornString resultProgram;  // "ActDisp", trimmed
    VornString phpPath;        // trimmed; empty when not set
    VornString perlPath;
    unsigned long mainWindow = 0;
};

struct RunPlan {
    VornString scriptName;     // "CodeArea.bat", "Action.vbs" ...; empty for an external program
    VornString scriptText;
    VornString batchText;      // "Action.bat", lines separated by "\n"
    bool batchLineEnd = true;  // false for the one-line wscript start
    bool clean = false;        // delete the result file, "std.txt" and "err.txt" first
    VornString resultPath;     // full path of "Result.txt" or "Result.htm"
};

// The plan for text (macros already expanded) of an execution type; false with the
// message to show when the type cannot run (no PHP or Perl path, an unknown type).
bool BuildRunPlan(const char* executionType, const char* text, const RunOptions& options,
                  const RunSettings& settings, RunPlan& plan, VornString& message);

// The command line that starts "Action.bat".
VornString BatchStartCommand(const RunSettings& settings);

// A full path in the program folder, in double quotes.
VornString QuotedRunFile(const RunSettings& settings, const char* name);
