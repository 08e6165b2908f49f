// Generated pages as VBScript texts the script host can compile: the server side of a page
// (HTML as Response.Write of the literal, "<%= e %>" as Response.Write of e, includes
// expanded), and the client VBScript blocks of a page. Every text begins with a quit, so
// that nothing runs: a host that reaches it has compiled the whole text.
#pragma once

#include <string>

// The exit code of a text that compiled.
constexpr int kCompiledExitCode = 77;

// A page (.asp, .inc), global.asa or a client script file (.vbs) read from path, in
// code page 932 with CR LF line ends. error receives what could not be read.
std::string ServerScript(const std::string& path, std::string& error);
// The server side of the page between a prologue and an epilogue, to be run.
std::string RunnableScript(const std::string& path, const std::string& prologue, const std::string& epilogue,
                           std::string& error);
// The page's client VBScript blocks (language=VBScript, no src) joined: the browser runs
// them in one namespace. Empty when there are none.
std::string ClientScript(const std::string& pageText);
