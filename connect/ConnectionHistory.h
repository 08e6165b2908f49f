// The connection history of each database kind in the settings file, and the rules of the
// connection dialogs that need no window: reading LastConnect into fields, building the
// ConnectArgument from them, saving the history with the check-box flags.
#pragma once

#include <vector>

#include "common/ProfileStore.h"
#include "common/VornString.h"
#include "db/ConnectionRecord.h"
#include "db/DatabaseKind.h"

// The messages of the dialogs, stored with the trailing ideographic spaces that widen the
// message box.
extern const char kOtherDsnMissingMessage[];
extern const char kServerMissingMessage[];
extern const char kDsnMissingMessage[];
extern const char kUserMissingMessage[];

// "RunDLL32.EXE shell32.dll,Control_RunDLL odbccp32.cpl"
extern const char kOdbcAdministratorCommand[];

// Excel and Mdb: the argument is a file path.
bool IsFileKind(DatabaseKind kind);
// Oracle names no database.
bool HasDatabaseField(DatabaseKind kind);

// The check boxes of the dialogs; each kind uses its own keys only.
struct ConnectFlags {
    bool noHeader = false;         // Excel "NoHdr"
    bool hideSheets = false;       // Excel "Hide"
    bool noSystemTable = false;    // SqlServer "NoSystemTable"
    bool noSystemView = false;     // SqlServer "NoSystemView"
    bool noSystemCatalog = false;  // Postgres "NoSystemCatalog"

    // A flag is on only when its value is exactly "1".
    static ConnectFlags Load(const ProfileStore& settings, DatabaseKind kind);
    // "1" or "0" for each key of the kind.
    void Write(ProfileStore& settings, DatabaseKind kind) const;
    void CopyTo(ConnectionRecord& record, DatabaseKind kind) const;
};

// NoHdr and Hide of "EXCEL" into the record, for a workbook opened without the dialog.
void LoadExcelFlags(const ProfileStore& settings, ConnectionRecord& record);

// The input fields of a dialog: path for the file kinds, the rest for the server kinds.
struct ConnectFields {
    VornString path;
    VornString server;
    VornString database;
    VornString user;
    VornString password;
};

// A ConnectArgument cut into the kind's fields. The argument has no quoting, so the
// password takes everything after the user's comma: a password with a comma then comes
// back whole instead of losing its tail.
ConnectFields SplitArgument(DatabaseKind kind, const char* argument);

// The argument of the server kinds' "OK", or the message that keeps the dialog open.
struct BuiltArgument {
    enum Missing { None, Server, User, OtherDsn };
    VornString argument;
    const char* message = nullptr;
    Missing missing = None;
    bool IsComplete() const { return message == nullptr; }
};
BuiltArgument BuildServerArgument(DatabaseKind kind, const ConnectFields& fields);
// Excel's "他のDSN": the DSN trimmed, or the message when nothing is left.
BuiltArgument BuildOtherDsn(const char* text);

// Half-width and ideographic spaces removed from both ends.
VornString TrimSpaces(const char* text);

// applicationTitle + the kind's tag + the argument as it is (password included).
VornString ConnectedTitle(const char* applicationTitle, DatabaseKind kind, const char* argument);

// One row of a history list: the visible cells and, for the server kinds, the password
// that is never shown.
struct HistoryRow {
    std::vector<VornString> cells;
    VornString password;
};

class ConnectionHistory {
public:
    explicit ConnectionHistory(DatabaseKind kind) : kind_(kind) {}

    DatabaseKind Kind() const { return kind_; }
    // "№", "ファイル名", "パス" for the file kinds; server or DSN, "DB" and "ユーザー" otherwise.
    static std::vector<const char*> ColumnTitles(DatabaseKind kind);

    // Every entry of the kind's section whose key starts with "Cn" in any letter case, in
    // the order of the file; the numbers themselves do not matter.
    void Load(const ProfileStore& settings);
    void Add(const char* argument);
    // Removes the rows at the indices, in any order; the "№" column is numbered again.
    void Remove(std::vector<int> rows);

    int Count() const { return static_cast<int>(rows_.size()); }
    const HistoryRow& Row(int index) const { return rows_[static_cast<size_t>(index)]; }
    // The row's ConnectArgument: the path, or the visible cells and the password joined by ",".
    VornString Argument(int index) const;
    ConnectFields Fields(int index) const { return SplitArgument(kind_, Argument(index)); }

    // Rewrites the kind's section: LastConnect (lastConnect, when not empty), the flags
    // (also copied into record when given), the rows as Cn1, Cn2 ... in list order, and the
    // argument as the next entry when no row equals it ignoring case. Excel leaves that
    // entry to the caller and returns its number instead; otherwise, and when a row matched
    // or the argument is empty, 0.
    int Save(ProfileStore& settings, const char* argument, const char* lastConnect,
             const ConnectFlags& flags, ConnectionRecord* record) const;

    // A successful connection: Save with the argument (Excel: lastConnect is the path
    // field's text), then for Excel the new entry and LastConnect = argument.
    void RecordConnection(ProfileStore& settings, const char* argument, const char* pathText,
                          const ConnectFlags& flags, ConnectionRecord* record) const;

    // After rows were removed: Excel saves the path field's text and Mdb takes it as the
    // argument; the server kinds take the section's LastConnect as it was before the save.
    void SaveAfterRemoval(ProfileStore& settings, const char* pathText, const ConnectFlags& flags,
                          ConnectionRecord* record) const;

private:
    HistoryRow MakeRow(const char* argument) const;
    void Renumber();

    DatabaseKind kind_;
    std::vector<HistoryRow> rows_;
};
