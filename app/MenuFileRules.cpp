#include "MenuFileRules.h"

#include <algorithm>
#include <cstring>

#include "common/SjisText.h"
#include "common/TokenList.h"

const char kUserMenuSection[] = "UserMenu";

namespace {

const char kSeparatorCaption[] = "セパレータ";
const char kClipboardSuffix[] = "   ｸﾘｯﾌﾟﾎﾞｰﾄﾞ渡し";
const char kArgumentSuffix[] = "   引数渡し";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number of one to three digits, nothing else.
int KeyNumber(const char* key)
{
    if (!key)
        return -1;
    VornString text(key);
    text.TrimBlanks();
    size_t length = text.Length();
    if (length == 0 || length > 3)
        return -1;
    int value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (!IsDigit(text.Text()[i]))
            return -1;
        value = value * 10 + (text.Text()[i] - '0');
    }
    return value <= kMaxUserMenuKey ? value : -1;
}

}  // namespace

VornString JoinPath(const char* folder, const char* name)
{
    VornString path(folder ? folder : "");
    if (!path.IsEmpty() && !sjis::EndsWithChar(path, kPathSeparator))
        path.Append(kPathSeparator);
    path.Append(name ? name : "");
    return path;
}

VornString KindFolderPath(const char* programFolder, DatabaseKind kind)
{
    const char* name = KindSectionName(kind);
    if (!name || !*name)
        return VornString();
    return JoinPath(programFolder, name);
}

VornString MenuCaptionFromFileName(const char* fileName)
{
    VornString caption(fileName ? fileName : "");
    caption.RemoveExtension();
    const char* text = caption.Text();
    size_t skip = 0;
    for (int i = 0; i < 2 && text[skip]; ++i)
        skip += sjis::CharLength(text + skip);
    return VornString(text + skip);
}

bool IsSeparatorCaption(const char* caption)
{
    return caption && std::strcmp(caption, kSeparatorCaption) == 0;
}

bool IsMenuFileName(const char* fileName)
{
    VornString extension = VornString(fileName ? fileName : "").FindExtension();
    return extension.EqualsIgnoreCase(".mnu");
}

void SortMenuFileNames(std::vector<VornString>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const VornString& a, const VornString& b) {
        return sjis::CompareIgnoreCase(a, b) < 0;
    });
}

std::vector<MenuFileItem> PlanMenuItems(std::vector<VornString> fileNames, unsigned baseId)
{
    fileNames.erase(std::remove_if(fileNames.begin(), fileNames.end(),
                                   [](const VornString& name) { return !IsMenuFileName(name); }),
                    fileNames.end());
    SortMenuFileNames(fileNames);
    if (fileNames.size() > kMaxMenuFiles)
        fileNames.resize(kMaxMenuFiles);
    std::vector<MenuFileItem> items;
    items.reserve(fileNames.size());
    for (size_t i = 0; i < fileNames.size(); ++i) {
        MenuFileItem item;
        item.fileName = fileNames[i];
        item.caption = MenuCaptionFromFileName(fileNames[i]);
        item.separator = IsSeparatorCaption(item.caption);
        item.id = baseId + static_cast<unsigned>(i);
        items.push_back(std::move(item));
    }
    return items;
}

bool ParseUserMenuEntry(const char* key, const char* value, UserMenuEntry& entry)
{
    int number = KeyNumber(key);
    if (number < 0 || !value)
        return false;
    TokenList fields(value, ',');
    if (fields.Count() < 3)
        return false;
    entry.number = number;
    entry.mode = fields[0];
    entry.mode.TrimBlanks();
    entry.caption = fields[1];
    entry.commandLine = fields[2];
    entry.column = fields[3];
    entry.column.TrimBlanks();
    return true;
}

bool UserMenuEntryApplies(const UserMenuEntry& entry, const char* firstHeading)
{
    if (entry.column.IsEmpty())
        return true;
    return sjis::CompareIgnoreCase(entry.column, firstHeading ? firstHeading : "") == 0;
}

std::vector<UserMenuEntry> ReadUserMenu(const ProfileStore& settings, const char* firstHeading)
{
    std::vector<UserMenuEntry> entries;
    TokenList keys = settings.KeyNames(kUserMenuSection);
    for (int i = 0; i < keys.Count(); ++i) {
        if (!*keys[i])
            continue;
        VornString value;
        if (!settings.Read(kUserMenuSection, keys[i], value))
            continue;
        UserMenuEntry entry;
        if (ParseUserMenuEntry(keys[i], value, entry) && UserMenuEntryApplies(entry, firstHeading))
            entries.push_back(std::move(entry));
    }
    return entries;
}

VornString UserMenuItemCaption(const UserMenuEntry& entry)
{
    VornString caption(entry.caption);
    caption.Append(entry.ThroughClipboard() ? kClipboardSuffix : kArgumentSuffix);
    return caption;
}

VornString ReplaceColumnPlaceholders(const char* commandLine, const UserMenuRow& row)
{
    VornString out;
    const char* p = commandLine ? commandLine : "";
    const size_t columns = row.size();
    while (*p) {
        if (*p == '$' && IsDigit(p[1]) && IsDigit(p[2])) {
            // "$%02d" gives three digits from column 100 on: prefer the longer name.
            if (columns >= 100 && IsDigit(p[3])) {
                size_t n = static_cast<size_t>((p[1] - '0') * 100 + (p[2] - '0') * 10 + (p[3] - '0'));
                if (n >= 100 && n <= columns) {
                    out.Append(row[n - 1]);
                    p += 4;
                    continue;
                }
            }
            size_t n = static_cast<size_t>((p[1] - '0') * 10 + (p[2] - '0'));
            if (n >= 1 && n <= columns) {
                out.Append(row[n - 1]);
                p += 3;
                continue;
            }
        }
        size_t length = sjis::CharLength(p);
        out.Append(p, length);
        p += length;
    }
    return out;
}

VornString RowsAsTabText(const std::vector<UserMenuRow>& rows)
{
    VornString text;
    for (const UserMenuRow& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                text.Append('\t');
            text.Append(row[i]);
        }
        text.Append("\r\n");
    }
    return text;
}

int RunUserMenuEntry(const ProfileStore& settings, int number, const std::vector<UserMenuRow>& selectedRows,
                     const ClipboardWriter& putClipboard, const CommandLauncher& launch)
{
    VornString key;
    key.Format("%d", number);
    VornString value;
    UserMenuEntry entry;
    if (!settings.Read(kUserMenuSection, key, value) || !ParseUserMenuEntry(key, value, entry))
        return -1;
    int started = 0;
    if (entry.ThroughClipboard()) {
        if (putClipboard)
            putClipboard(RowsAsTabText(selectedRows));
        if (launch && launch(entry.commandLine))
            ++started;
        return started;
    }
    for (const UserMenuRow& row : selectedRows) {
        if (launch && launch(ReplaceColumnPlaceholders(entry.commandLine, row)))
            ++started;
    }
    return started;
}
