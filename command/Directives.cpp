#include "Directives.h"

#include <cstring>
#include <string>

#include "MacroText.h"

namespace {

struct Directive {
    const char* line;
    const char* executionType;
    bool runsAtOnce;
};

const Directive kDirectives[] = {
    {"@SKELETON", "SQL", false},
    {"@CMD", "外部プログラム", false},
    {"@CMDEXEC", "外部プログラム", true},
    {"@BAT", "バッチファイル", false},
    {"@BATEXEC", "バッチファイル", true},
    {"@VBS", "WSH(.vbs)", false},
    {"@VBSEXEC", "WSH(.vbs)", true},
    {"@WSF", "WSH(.wsf)", false},
    {"@WSFEXEC", "WSH(.wsf)", true},
    {"@PHP", "PHP", false},
    {"@PHPEXEC", "PHP", true},
    {"@PERL", "Perl", false},
    {"@PERLEXEC", "Perl", true},
};

const Directive* FindDirective(const char* line, size_t length)
{
    if (length == 0 || line[0] != '@')
        return nullptr;
    for (const Directive& directive : kDirectives)
        if (std::strlen(directive.line) == length && std::memcmp(directive.line, line, length) == 0)
            return &directive;
    return nullptr;
}

// Menu files are read line by line, so a first line may still carry the CR of a CRLF file.
std::string FirstLineWithoutEnd(const char* firstLine)
{
    std::string line(firstLine ? firstLine : "");
    size_t end = macrotext::LineEnd(line, 0);
    line.resize(end);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

}  // namespace

const char* DirectiveExecutionType(const char* line)
{
    if (!line)
        return nullptr;
    const Directive* directive = FindDirective(line, std::strlen(line));
    return directive ? directive->executionType : nullptr;
}

VornString StripDirectiveLines(const char* text, VornString& executionType)
{
    const std::string source(text ? text : "");
    std::string kept;
    kept.reserve(source.size() + 1);
    size_t start = 0;
    while (start < source.size()) {
        size_t end = macrotext::LineEnd(source, start);
        const char* line = source.data() + start;
        size_t length = end - start;
        // Texts from the command area end their lines with CRLF, menu files with LF.
        size_t bare = (length > 0 && line[length - 1] == '\r') ? length - 1 : length;
        const Directive* directive = FindDirective(line, bare);
        if (directive) {
            executionType = directive->executionType;
        } else if (!(length >= 2 && line[0] == '-' && line[1] == '-')) {
            kept.append(line, length);
            kept.push_back('\n');
        }
        start = end + 1;
    }
    VornString result;
    result.Assign(kept.data(), kept.size());
    return result;
}

MenuFileCommand ClassifyMenuFile(MenuFileFamily family, const char* firstLine)
{
    const std::string line = FirstLineWithoutEnd(firstLine);
    MenuFileCommand command;
    command.action = family == MenuFileFamily::KindMenu ? MenuFileAction::RunSql : MenuFileAction::Nothing;
    const Directive* directive = FindDirective(line.data(), line.size());
    if (directive) {
        // Tool menus know the program and script directives only.
        if (family == MenuFileFamily::ToolMenu && std::strcmp(directive->line, "@SKELETON") == 0)
            return command;
        command.action = directive->runsAtOnce ? MenuFileAction::RunAsType : MenuFileAction::Skeleton;
        command.executionType = directive->executionType;
        return command;
    }
    if (line == "@EXEC") {
        command.action = MenuFileAction::Execute;
    } else if (family == MenuFileFamily::KindMenu) {
        if (line == "@SCHEMA")
            command.action = MenuFileAction::Schema;
        else if (line == "@CSVPUT")
            command.action = MenuFileAction::CsvPut;
        else if (line == "@CSVGET")
            command.action = MenuFileAction::CsvGet;
    } else {
        if (line == "@OPTION")
            command.action = MenuFileAction::Options;
        else if (line == "@UNLHA32")
            command.action = MenuFileAction::LhaArchive;
        else if (line == "@UNZIP32")
            command.action = MenuFileAction::ZipArchive;
    }
    return command;
}
