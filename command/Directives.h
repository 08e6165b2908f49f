// Directive lines ("@CMD", "@SKELETON" ...) and comment lines in texts to run, and the
// first-line directives of menu files. Window-free.
#pragma once

#include "common/VornString.h"

// The execution type a directive line selects ("@CMD" and "@CMDEXEC" → "外部プログラム" ...),
// or null when the line (without its line end) is no such directive.
const char* DirectiveExecutionType(const char* line);

// Splits at "\n"; drops lines beginning with "--" and directive lines ("\r" at their end
// allowed; "@WSF" also as the last line without a line end); each directive dropped sets
// executionType. The kept lines are joined, each followed by "\n".
VornString StripDirectiveLines(const char* text, VornString& executionType);

// What a menu file's first line asks for.
enum class MenuFileFamily { KindMenu, ToolMenu };  // "\menu\" and "\skeleton\"; "\Tool\menu\"
enum class MenuFileAction {
    RunSql,        // kind menus: anything else — the whole file is SQL
    Skeleton,      // "@SKELETON" and "@CMD" ... without EXEC: the body replaces the command area
    RunAsType,     // "@CMDEXEC" ...: the body runs at once as that type
    Execute,       // "@EXEC": the body becomes a command line
    Schema,        // "@SCHEMA"
    CsvPut,        // "@CSVPUT" (MySQL)
    CsvGet,        // "@CSVGET" (MySQL)
    Options,       // tool menu "@OPTION"
    LhaArchive,    // tool menu "@UNLHA32"
    ZipArchive,    // tool menu "@UNZIP32"
    Nothing,       // tool menu: any other first line
};
struct MenuFileCommand {
    MenuFileAction action = MenuFileAction::Nothing;
    const char* executionType = nullptr;  // Skeleton and RunAsType
};
MenuFileCommand ClassifyMenuFile(MenuFileFamily family, const char* firstLine);
