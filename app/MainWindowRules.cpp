#include "MainWindowRules.h"

#include <cstring>
#include <string>

#include "common/SjisText.h"

namespace {

// Ratios come from whole percentages (0.3 is not exact in binary): round to the pixel.
int Share(int total, double ratio) { return static_cast<int>(total * ratio + 0.5); }

}  // namespace

PaneLayout ComputePaneLayout(int clientWidth, int clientHeight, double horizontal, double vertical,
                             int statusBarHeight, int commandBarHeight)
{
    PaneLayout layout;
    const int commandWidth = Share(clientWidth, horizontal);
    const int upperBottom = Share(clientHeight, vertical);
    const int listWidth = clientWidth - commandWidth;

    layout.tableList = {0, kToolBarReserve, listWidth, upperBottom - kToolBarReserve};
    const int definitionHeight = clientHeight - statusBarHeight - upperBottom;
    layout.definitionView = {0, upperBottom, clientWidth, definitionHeight};

    const int commandBottom = clientHeight - (commandBarHeight + statusBarHeight + definitionHeight + 5);
    layout.commandArea = {listWidth, kToolBarReserve, commandWidth, commandBottom - kToolBarReserve};

    const int barTop = commandBottom - 1;
    layout.commandBar = {listWidth - 1, barTop, commandWidth + 1, upperBottom + 1 - barTop};
    return layout;
}

int StepRatio(int percent, bool backwards, int low, int high)
{
    int next = percent + (backwards ? -10 : 10);
    if (next > high)
        return low;
    if (next < low)
        return high;
    return next;
}

const char* const kExecutionTypes[7] = {
    "SQL", "外部プログラム", "バッチファイル", "WSH(.vbs)", "WSH(.wsf)", "PHP", "Perl",
};
const char kExecutionTypeList[] = "SQL,外部プログラム,バッチファイル,WSH(.vbs),WSH(.wsf),PHP,Perl";
const char kCommandAreaOperations[] =
    "漢字スペース除去,SQLの整形,背景色変更,メモ帳に貼り付け,SQLの複数実行,----------------,クリア,"
    "----------------,VBSﾄﾚｰﾆﾝｸﾞﾓｰﾄﾞ";
const char kDefaultRowLimits[] = "50,100,200,300,400,500,1000";

VornString RowLimitChoices(const char* firstLine)
{
    VornString choices(firstLine ? firstLine : "");
    choices.TrimBlanks();
    if (choices.IsEmpty())
        choices = kDefaultRowLimits;
    return choices;
}

namespace {

VornString UpperExtension(const char* path)
{
    VornString extension = VornString(path).FindExtension();
    extension.UpperCase();
    return extension;
}

struct ExtensionType {
    const char* extension;
    const char* executionType;  // null: the type stays
};

const ExtensionType kCommandAreaExtensions[] = {
    {".SQL", "SQL"},       {".TXT", nullptr},    {".BAT", "バッチファイル"}, {".WSF", "WSH(.wsf)"},
    {".VBS", "WSH(.vbs)"}, {".PHP", "PHP"},      {".CGI", "Perl"},
};

}  // namespace

DatabaseKind TableListDropKind(const char* path)
{
    VornString extension = UpperExtension(path);
    if (extension.Equals(".XLS"))
        return DatabaseKind::Excel;
    if (extension.Equals(".MDB"))
        return DatabaseKind::Mdb;
    return DatabaseKind::None;
}

bool CommandAreaDropType(const char* path, VornString& executionType)
{
    VornString extension = UpperExtension(path);
    for (const ExtensionType& entry : kCommandAreaExtensions) {
        if (extension.Equals(entry.extension)) {
            if (entry.executionType)
                executionType = entry.executionType;
            return true;
        }
    }
    return false;
}

int SaveFilterIndexForType(const char* executionType)
{
    static const struct {
        const char* type;
        int index;
    } kIndexes[] = {
        {"SQL", 1}, {"外部プログラム", 2}, {"バッチファイル", 2}, {"WSH(.vbs)", 3},
        {"WSH(.wsf)", 4}, {"PHP", 5}, {"Perl", 6},
    };
    for (const auto& entry : kIndexes) {
        if (std::strcmp(entry.type, executionType) == 0)
            return entry.index;
    }
    return 1;
}

const char* const kRunFiles[10] = {
    "Result.txt", "std.txt", "err.txt", "Action.bat", "Action.vbs",
    "Action.wsf", "Action.php", "Action.cgi", "CodeArea.bat", "Result.htm",
};

const char* ScriptFileForType(const char* executionType)
{
    if (std::strcmp(executionType, "WSH(.wsf)") == 0)
        return "Action.wsf";
    if (std::strcmp(executionType, "WSH(.vbs)") == 0)
        return "Action.vbs";
    if (std::strcmp(executionType, "PHP") == 0)
        return "Action.php";
    if (std::strcmp(executionType, "Perl") == 0)
        return "Action.cgi";
    return nullptr;
}

VornString DropStatement(DatabaseKind kind, const char* objectType, const char* quotedName)
{
    VornString type(objectType);
    if (kind == DatabaseKind::MySql || (kind == DatabaseKind::Mdb && type.Equals("LINK")))
        type = "TABLE";
    VornString statement("drop ");
    statement.Append(type);
    statement.Append(" ");
    statement.Append(quotedName);
    return statement;
}

VornString ClearStatement(DatabaseKind kind, const char* objectType, const char* quotedName)
{
    if (kind != DatabaseKind::MySql && std::strcmp(objectType, "TABLE") != 0)
        return VornString();
    bool fileKind = kind == DatabaseKind::Excel || kind == DatabaseKind::Mdb;
    VornString statement(fileKind ? "delete from" : "truncate table");
    statement.Append(" ");
    statement.Append(quotedName);
    return statement;
}

void TrimStatement(VornString& text)
{
    size_t length;
    do {
        length = text.Length();
        text.TrimBlanks();
        text.Trim("\r\n");
    } while (text.Length() != length);
}

ClipboardTable::ClipboardTable(const char* text, char separator)
{
    const char* p = text ? text : "";
    buffer_.reserve(std::strlen(p) + 1);
    while (*p) {
        lineStarts_.push_back(fieldStarts_.size());
        fieldStarts_.push_back(buffer_.size());
        bool kept = false;
        while (*p && *p != '\n') {
            size_t length = sjis::CharLength(p);
            if (length == 1 && *p == '\r') {
                ++p;
                continue;
            }
            kept = true;
            if (length == 1 && *p == separator) {
                buffer_.push_back('\0');
                fieldStarts_.push_back(buffer_.size());
            } else {
                buffer_.append(p, length);
            }
            p += length;
        }
        if (!kept && *p == '\0') {  // only "\r" after the last line end
            lineStarts_.pop_back();
            fieldStarts_.pop_back();
            break;
        }
        buffer_.push_back('\0');
        if (*p == '\n')
            ++p;
    }
}

int ClipboardTable::FieldCount(size_t line) const
{
    if (line >= lineStarts_.size())
        return 0;
    size_t end = line + 1 < lineStarts_.size() ? lineStarts_[line + 1] : fieldStarts_.size();
    return static_cast<int>(end - lineStarts_[line]);
}

const char* ClipboardTable::Field(size_t line, int field) const
{
    if (field < 0 || field >= FieldCount(line))
        return "";
    return buffer_.c_str() + fieldStarts_[lineStarts_[line] + static_cast<size_t>(field)];
}
