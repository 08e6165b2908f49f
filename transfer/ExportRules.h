// The rules of the export between databases that need no window: the dialogs' captions,
// option states and checks, the destination table's name, and the statements of one table.
#pragma once

#include "common/VornString.h"
#include "db/DatabaseKind.h"
#include "db/DefinitionList.h"
#include "transfer/ExportStatement.h"

namespace transfer {

// Messages, with the trailing ideographic spaces of the program's boxes.
extern const char kExportSelectTable[];
extern const char kExportExcelPathMissing[];
extern const char kExportMdbPathMissing[];
extern const char kExportDatabaseMissing[];
extern const char kExportConfirm[];
extern const char kExportBridgeUnavailable[];
extern const char kExportAddDataFormat[];       // "%s\nデータを追加しますか?"
extern const char kExportExistsFormat[];        // "%s は既に存在します。データのみ追加しますか?"
extern const char kExportContinueFormat[];      // "%s\n続けますか?"
extern const char kExportFinished[];            // the caption at the end
extern const char kExportTableCaptionFormat[];  // "%s をエクスポートしています"
extern const char kExportFolderTitle[];

// "EXCEL エクスポート" ... "Postgres エクスポート".
VornString ExportDialogCaption(DatabaseKind destination);
// "EXP_", for Postgres "EXP-".
const char* DefaultExportPrefix(DatabaseKind destination);
bool IsFileDestination(DatabaseKind destination);

// The four options of both dialogs and the prefix box.
struct ExportOption {
    bool checked = false;
    bool enabled = true;
};
struct ExportOptions {
    ExportOption createByProgram;   // "Kestrovaが出力先にテーブルを作成する"
    ExportOption addKey;            // "元テーブルに主キーが有る場合は出力先にも付加する"
    ExportOption viaFile;           // "一旦データをファイルに出力する"
    ExportOption fileOnly;          // "ファイルに出力して更新はしない"
    bool createFixed = false;       // Oracle and Postgres: the program always creates the table
};
ExportOptions InitialExportOptions(DatabaseKind destination, bool dataViewMode);
// "一旦データをファイルに出力する" checked or unchecked.
void SetViaFile(ExportOptions& options, bool checked);

// The destination table: in table-list mode the source name with the prefix when the box
// is checked; in data-view mode the edited name when "出力テーブル名を変更する" is checked.
VornString ExportTargetName(bool dataViewMode, const char* sourceTable, bool boxChecked, const char* editText);

// The message that keeps the dialog open, or null. Server kinds: server (DSN), database
// (SqlServer only), user.
const char* CheckFileDestination(DatabaseKind destination, const char* path);
const char* CheckServerDestination(DatabaseKind destination, const char* server, const char* database,
                                   const char* user);

// "create table" for the destination from the mapped definition; the key clause only
// when withKey.
VornString ExportCreateTable(DatabaseKind destination, const char* target, const DefinitionRows& mapped,
                             bool withKey);

// The data view's column list, condition or order as the bridge statement carries it:
// double quotes removed for source kinds other than Oracle and Postgres.
VornString DataViewClause(DatabaseKind source, const char* text);

// The statement of one table: insert form or select-into form.
struct ExportSource {
    VornString reference;       // the source's "[...;]"
    VornString table;           // the source table as named
    VornString columns = "*";
    VornString condition;
    VornString order;
};
VornString ExportInsertStatement(const char* destinationReference, const char* target, const ExportSource& source);
VornString ExportSelectIntoStatement(const char* destinationReference, const char* target,
                                     const ExportSource& source);

}  // namespace transfer
