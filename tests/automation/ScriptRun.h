// Running the VBScript test files under the platform's script host, and reading back the
// results they write: shared by every object's tests.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace vornscript {

extern const char kVornPath[];
extern const char kScripts[];

// Starts the command and waits for it (at most two minutes); while it runs, tick is called
// about every 100 ms and this thread's sent messages are served. The exit code, or
// 0xFFFFFFFF when it did not start or did not end.
DWORD RunAndWait(std::string command, const std::function<void(DWORD processId)>& tick = nullptr);
DWORD RegisterServer(bool unregister);

typedef std::map<std::string, std::string> Results;

// What a script sees of a failed call: an argument the parameter's type refuses is turned
// away by the dispatcher, which the engine reports as its own error 13; a failed conversion
// of an optional argument comes from the member as DISP_E_TYPEMISMATCH with a description.
extern const std::string kTypeMismatch;
extern const std::string kConversionFailed;
extern const std::string kTrue, kFalse;

// Runs the named script of the test folder after the shared result writer (Results.vbs),
// with the output file and argument as its two arguments; expects it to run to its end.
Results RunScript(const char* name, const std::string& argument,
                  const std::function<void(DWORD processId)>& tick = nullptr);
std::string At(const Results& results, const char* key);

// A result as the scripts write it: the type, then the text with its control characters
// spelled out.
std::string Spelled(const char* type, const std::string& text);
std::string Str(const std::string& text);
std::string Long(long value);

struct Expected {
    const char* key;
    std::string value;
};
void ExpectAll(const Results& results, std::initializer_list<Expected> expected);

// For a tick: the first visible dialog (class "#32770") of the script's process is recorded
// by its caption and closed with the button that choose picks for it.
void AnswerDialog(DWORD processId, std::vector<std::string>& captions, const std::function<WPARAM(HWND dialog)>& choose);

// The host's name of a file of the platform (Wine's own conversion); "" when there is none.
std::string UnixPathOf(const std::string& path);

bool PutClipboard(const std::string& text);
std::string ClipboardText();  // "<none>" when there is no text

}  // namespace vornscript
