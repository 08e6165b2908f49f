#include "AspScript.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// The markers searched for all begin with '<' or '%', which are never Shift_JIS trail bytes,
// so a byte match is a character match.

std::string ReadFile(const std::string& path, bool& ok)
{
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool EndsWith(const std::string& text, const char* tail)
{
    std::string t(tail);
    return text.size() >= t.size() && Lower(text.substr(text.size() - t.size())) == t;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void WriteHtml(const std::string& html, std::string& out)
{
    size_t start = 0;
    while (start < html.size()) {
        size_t end = html.find('\n', start);
        bool lineEnd = end != std::string::npos;
        std::string line = html.substr(start, lineEnd ? end - start : std::string::npos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string quoted;
        for (char c : line)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += "Response.Write \"" + quoted + "\"" + (lineEnd ? " & vbCrLf" : "") + "\r\n";
        start = lineEnd ? end + 1 : html.size();
    }
}

// The file named by an include directive ("<!-- #include file=... -->"), or "".
std::string IncludedFile(const std::string& comment)
{
    std::string lower = Lower(comment);
    size_t directive = lower.find("#include");
    if (directive == std::string::npos)
        return "";
    size_t equals = lower.find('=', directive);
    size_t open = lower.find('"', equals);
    size_t close = open == std::string::npos ? open : lower.find('"', open + 1);
    if (equals == std::string::npos || close == std::string::npos)
        return "";
    return comment.substr(open + 1, close - open - 1);
}

void Convert(const std::string& path, std::string& out, std::string& error, int depth)
{
    bool ok = false;
    std::string text = ReadFile(path, ok);
    if (!ok || depth > 8) {
        error += "cannot read " + path + "\n";
        return;
    }
    size_t position = 0;
    while (position < text.size()) {
        size_t code = text.find("<%", position);
        size_t comment = text.find("<!--", position);
        while (comment != std::string::npos && comment < code) {
            size_t end = text.find("-->", comment);
            if (end == std::string::npos || !IncludedFile(text.substr(comment, end - comment)).empty())
                break;
            comment = text.find("<!--", end);
        }
        size_t next = std::min(code, comment);
        WriteHtml(text.substr(position, next == std::string::npos ? std::string::npos : next - position), out);
        if (next == std::string::npos)
            break;
        if (next == comment) {
            size_t end = text.find("-->", comment);
            std::string name = IncludedFile(text.substr(comment, end - comment));
            for (char& c : name)
                if (c == '/')
                    c = '\\';
            Convert(FolderOf(path) + name, out, error, depth + 1);
            position = end + 3;
            continue;
        }
        size_t end = text.find("%>", code + 2);
        if (end == std::string::npos) {
            error += "unclosed <% in " + path + "\n";
            return;
        }
        std::string body = text.substr(code + 2, end - code - 2);
        if (!body.empty() && body[0] == '=')
            out += "Response.Write( " + body.substr(1) + " )\r\n";
        else if (body.empty() || body[0] != '@')
            out += body + "\r\n";
        position = end + 2;
    }
}

// The server script blocks of global.asa.
void ConvertApplicationFile(const std::string& path, std::string& out, std::string& error)
{
    bool ok = false;
    std::string text = ReadFile(path, ok);
    if (!ok)
        error += "cannot read " + path + "\n";
    std::string lower = Lower(text);
    for (size_t open = lower.find("<script"); open != std::string::npos; open = lower.find("<script", open + 1)) {
        size_t tagEnd = lower.find('>', open);
        size_t close = lower.find("</script>", tagEnd);
        if (tagEnd == std::string::npos || close == std::string::npos)
            break;
        if (lower.substr(open, tagEnd - open).find("runat=server") != std::string::npos)
            out += text.substr(tagEnd + 1, close - tagEnd - 1) + "\r\n";
    }
}

// Option Explicit must stay the first statement, ahead of anything put before the page.
std::string Around(const std::string& script, const std::string& prologue, const std::string& epilogue)
{
    std::istringstream lines(script);
    std::string line, body;
    bool explicitNames = false;
    while (std::getline(lines, line)) {
        std::string bare = Lower(line);
        bare.erase(0, bare.find_first_not_of(" \t"));
        bare.erase(bare.find_last_not_of(" \t\r") + 1);
        if (bare == "option explicit") {
            explicitNames = true;
            continue;
        }
        body += line + "\n";
    }
    std::string head = explicitNames ? "Option Explicit\r\n" : "";
    return head + prologue + body + epilogue;
}

std::string WithQuit(const std::string& script)
{
    return Around(script, "WScript.Quit " + std::to_string(kCompiledExitCode) + "\r\n", "");
}

std::string PageBody(const std::string& path, std::string& error)
{
    std::string out;
    if (EndsWith(path, ".asa")) {
        ConvertApplicationFile(path, out, error);
    } else if (EndsWith(path, ".vbs")) {
        bool ok = false;
        out = ReadFile(path, ok);
        if (!ok)
            error += "cannot read " + path + "\n";
    } else {
        Convert(path, out, error, 0);
    }
    return out;
}

}  // namespace

std::string ServerScript(const std::string& path, std::string& error) { return WithQuit(PageBody(path, error)); }

std::string RunnableScript(const std::string& path, const std::string& prologue, const std::string& epilogue,
                           std::string& error)
{
    return Around(PageBody(path, error), prologue, epilogue);
}

std::string ClientScript(const std::string& pageText)
{
    std::string lower = Lower(pageText);
    std::string out;
    for (size_t open = lower.find("<script"); open != std::string::npos; open = lower.find("<script", open + 1)) {
        size_t tagEnd = lower.find('>', open);
        size_t close = tagEnd == std::string::npos ? tagEnd : lower.find("</script>", tagEnd);
        if (close == std::string::npos)
            break;
        std::string tag = lower.substr(open, tagEnd - open);
        std::string body = pageText.substr(tagEnd + 1, close - tagEnd - 1);
        if (tag.find("vbscript") == std::string::npos || tag.find("src=") != std::string::npos ||
            tag.find("runat") != std::string::npos || body.find("<%") != std::string::npos)
            continue;
        out += body + "\r\n";
    }
    return out.empty() ? out : WithQuit(out);
}
