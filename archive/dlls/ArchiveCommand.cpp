#include "archive/dlls/ArchiveCommand.h"

#include "archive/dlls/ArchivePath.h"
#include "common/SjisText.h"

namespace {

bool IsOption(const std::string& token) { return token.size() > 1 && token[0] == '-'; }

// Options up to the first other token; returns the index of that token.
size_t Options(const std::vector<std::string>& tokens, size_t from, std::string& letters)
{
    while (from < tokens.size() && IsOption(tokens[from]))
        letters += tokens[from++].substr(1);
    return from;
}

void TakeFiles(const std::vector<std::string>& tokens, size_t from, ArchiveCommand& command)
{
    std::string folder;
    for (size_t i = from; i < tokens.size(); ++i) {
        if (archivepath::EndsWithSeparator(tokens[i]))
            folder = tokens[i];
        else
            command.files.push_back({folder, tokens[i]});
    }
}

// dest\ then the entries; "*" alone stands for every entry.
void TakeExtractParts(const std::vector<std::string>& tokens, size_t from, ArchiveCommand& command)
{
    if (from < tokens.size() && archivepath::EndsWithSeparator(tokens[from]))
        command.destination = tokens[from++];
    for (size_t i = from; i < tokens.size(); ++i)
        command.patterns.push_back(NormalisedPattern(tokens[i]));
    if (command.patterns.size() == 1 && command.patterns[0] == "*")
        command.patterns.clear();
}

ArchiveStatus Fail(std::string& message, const char* text)
{
    message = text;
    return ArchiveStatus::BadCommand;
}

ArchiveStatus ParseLha(const std::vector<std::string>& tokens, ArchiveCommand& command, std::string& message)
{
    if (tokens.empty() || tokens[0].size() != 1)
        return Fail(message, "コマンドがありません");
    char verb = sjis::UpperAscii(tokens[0][0]);
    std::string letters;
    size_t at = Options(tokens, 1, letters);
    if (at >= tokens.size())
        return Fail(message, "書庫が指定されていません");
    command.archive = tokens[at++];
    switch (verb) {
    case 'A':
    case 'U':
        command.kind = CommandKind::Add;
        TakeFiles(tokens, at, command);
        return command.files.empty() ? Fail(message, "ファイルが指定されていません") : ArchiveStatus::Ok;
    case 'D':
        command.kind = CommandKind::Delete;
        for (size_t i = at; i < tokens.size(); ++i)
            command.patterns.push_back(NormalisedPattern(tokens[i]));
        return command.patterns.empty() ? Fail(message, "ファイルが指定されていません") : ArchiveStatus::Ok;
    case 'E':
    case 'X':
        command.kind = verb == 'E' ? CommandKind::ExtractFlat : CommandKind::ExtractWithFolders;
        TakeExtractParts(tokens, at, command);
        return ArchiveStatus::Ok;
    default:
        return Fail(message, "コマンドが正しくありません");
    }
}

ArchiveStatus ParseUnZip(const std::vector<std::string>& tokens, ArchiveCommand& command, std::string& message)
{
    std::string letters;
    size_t at = Options(tokens, 0, letters);
    if (letters.find_first_not_of("uoj") != std::string::npos)
        return Fail(message, "オプションが正しくありません");
    if (at >= tokens.size())
        return Fail(message, "書庫が指定されていません");
    command.archive = tokens[at++];
    command.kind = letters.find('j') != std::string::npos ? CommandKind::ExtractFlat : CommandKind::ExtractWithFolders;
    TakeExtractParts(tokens, at, command);
    return ArchiveStatus::Ok;
}

ArchiveStatus ParseZip(const std::vector<std::string>& tokens, ArchiveCommand& command, std::string& message)
{
    std::string letters;
    size_t at = Options(tokens, 0, letters);
    if (letters.find_first_not_of("rDd") != std::string::npos)
        return Fail(message, "オプションが正しくありません");
    if (at >= tokens.size())
        return Fail(message, "書庫が指定されていません");
    command.archive = tokens[at++];
    if (letters.find('d') != std::string::npos) {
        command.kind = CommandKind::Delete;
        for (size_t i = at; i < tokens.size(); ++i)
            command.patterns.push_back(NormalisedPattern(tokens[i]));
        return command.patterns.empty() ? Fail(message, "ファイルが指定されていません") : ArchiveStatus::Ok;
    }
    command.kind = CommandKind::Add;
    TakeFiles(tokens, at, command);
    return command.files.empty() ? Fail(message, "ファイルが指定されていません") : ArchiveStatus::Ok;
}

}  // namespace

bool SplitCommandText(const std::string& text, std::vector<std::string>& tokens)
{
    tokens.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        std::string token;
        bool quoted = false;
        // '"' and blanks are never trail bytes, so the scan may go byte by byte.
        while (i < text.size() && (quoted || (text[i] != ' ' && text[i] != '\t'))) {
            if (text[i] == '"')
                quoted = !quoted;
            else
                token += text[i];
            ++i;
        }
        if (quoted)
            return false;
        tokens.push_back(token);
    }
    return true;
}

std::string NormalisedPattern(const std::string& pattern)
{
    std::string slashed = archivepath::ToSlashes(pattern);
    std::string result;
    for (char c : slashed)
        if (!(c == '/' && !result.empty() && result.back() == '/'))
            result += c;
    return result;
}

ArchiveStatus ParseCommand(CommandDialect dialect, const std::string& text, ArchiveCommand& command,
                           std::string& message)
{
    command = ArchiveCommand();
    std::vector<std::string> tokens;
    if (!SplitCommandText(text, tokens))
        return Fail(message, "引用符が閉じていません");
    switch (dialect) {
    case CommandDialect::Lha: return ParseLha(tokens, command, message);
    case CommandDialect::UnZip: return ParseUnZip(tokens, command, message);
    case CommandDialect::Zip: return ParseZip(tokens, command, message);
    }
    return Fail(message, "コマンドが正しくありません");
}
