// The window-free rules of the menu files and the user menu: captions from file names,
// listing order, ids, the kind folders, and the user-menu records of the settings file.
#pragma once

#include <functional>
#include <vector>

#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/DatabaseKind.h"

// First ids of the four menus filled at run time; the command router maps base..base+500.
const unsigned kKindMenuBase = 40000;      // "RDBMS固有(&R)": kind folder\menu
const unsigned kToolMenuBase = 41000;      // "ﾂｰﾙ(&T)": Tool\menu
const unsigned kSkeletonMenuBase = 43000;  // "ｽｹﾙﾄﾝ(&S)": kind folder\skeleton
const unsigned kUserMenuBase = 44000;      // user menu: 44000 + key number
// Files beyond this many in one folder get no item: their ids would leave the menu's range.
const size_t kMaxMenuFiles = 501;
const int kMaxUserMenuKey = 999;

// '\\' in the Windows build; the native build runs its tests on Linux paths.
#ifdef _WIN32
const char kPathSeparator = '\\';
#else
const char kPathSeparator = '/';
#endif

// folder + separator + name; no second separator when folder already ends with one.
VornString JoinPath(const char* folder, const char* name);
// The kind's folder below the program folder ("EXCEL", "MDB", "SQLServer", "MySQL",
// "Oracle", "Postgres"); empty for no kind.
VornString KindFolderPath(const char* programFolder, DatabaseKind kind);

// The file name without its extension and without its first two characters (a double-byte
// character counts as one).
VornString MenuCaptionFromFileName(const char* fileName);
bool IsSeparatorCaption(const char* caption);
// Whether the name ends in ".mnu" (any letter case): the platform's "*.mnu" also matches
// longer extensions through their short names ("a.mnu_old" is "A~1.MNU").
bool IsMenuFileName(const char* fileName);

// Name order: single-byte letters compared without case, double-byte characters by their
// bytes; names equal but for case keep the order the directory gave them.
void SortMenuFileNames(std::vector<VornString>& names);

struct MenuFileItem {
    VornString fileName;
    VornString caption;
    bool separator = false;
    unsigned id = 0;  // base + list index, separators counted
};
// The items of a menu from the names of its files (filtered and sorted here), at most
// kMaxMenuFiles.
std::vector<MenuFileItem> PlanMenuItems(std::vector<VornString> fileNames, unsigned baseId);

// One record of the settings section "UserMenu": key N = "mode,caption,command line[,column]".
struct UserMenuEntry {
    int number = -1;
    VornString mode;
    VornString caption;
    VornString commandLine;
    VornString column;  // empty: offered whatever the view shows

    bool ThroughClipboard() const { return mode.Equals("1"); }
    unsigned Id() const { return kUserMenuBase + static_cast<unsigned>(number); }
};

extern const char kUserMenuSection[];  // "UserMenu"

// False when the key is not a number 0-999 or the value has fewer than three fields.
bool ParseUserMenuEntry(const char* key, const char* value, UserMenuEntry& entry);
// Whether the entry is offered while the definition view's first column heading is heading
// (names compare without case, as every name of the program does).
bool UserMenuEntryApplies(const UserMenuEntry& entry, const char* firstHeading);
// The entries of the settings file, in the file's key order, that apply to the heading.
std::vector<UserMenuEntry> ReadUserMenu(const ProfileStore& settings, const char* firstHeading);
// Caption + "   " + "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ渡し" (mode "1") or "引数渡し".
VornString UserMenuItemCaption(const UserMenuEntry& entry);

using UserMenuRow = std::vector<VornString>;
// "$01", "$02" ... (numbered from 1, "$%02d") replaced by the row's values in one pass, so a
// value holding a placeholder is never replaced again and "$123" is not taken for "$12".
VornString ReplaceColumnPlaceholders(const char* commandLine, const UserMenuRow& row);
// The rows as the clipboard carries them: cells joined by TAB, each row ended by CR LF.
VornString RowsAsTabText(const std::vector<UserMenuRow>& rows);

// Runs user-menu entry N (read again from the settings): mode "1" puts the rows on the
// clipboard and launches the command line once; other modes launch once per row with its
// values in place of the placeholders. Returns the number of successful launches, -1 when
// the key is missing or malformed.
using ClipboardWriter = std::function<bool(const char* text)>;
using CommandLauncher = std::function<bool(const char* commandLine)>;
int RunUserMenuEntry(const ProfileStore& settings, int number, const std::vector<UserMenuRow>& selectedRows,
                     const ClipboardWriter& putClipboard, const CommandLauncher& launch);
