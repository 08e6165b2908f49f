#include "ExportRules.h"

#include "common/SjisText.h"
#include "schema/TableDdl.h"

namespace transfer {

const char kExportSelectTable[] = "テーブルを選択して下さい　　";
const char kExportExcelPathMissing[] = "出力先の Excel のパスを指定して下さい　　";
const char kExportMdbPathMissing[] = "出力先の MDB のパスを指定して下さい　　";
const char kExportDatabaseMissing[] = "データベースを入力して下さい　　";
const char kExportConfirm[] = "エクスポートを実行しますか?　　";
const char kExportBridgeUnavailable[] = "Kestrova.mdbに接続できません　　";
const char kExportAddDataFormat[] = "%s\nデータを追加しますか?　　";
const char kExportExistsFormat[] = "%s は既に存在します。データのみ追加しますか?　　";
const char kExportContinueFormat[] = "%s\n続けますか?　　";
const char kExportFinished[] = "エクスポートが終了しました";
const char kExportTableCaptionFormat[] = "%s をエクスポートしています";
const char kExportFolderTitle[] = "対象テーブルのデータを INSERT 構文テキスト( エクスポート先用 )\nに変換して出力します";

namespace {

const char kServerMissing[] = "サーバーを入力して下さい　　";
const char kDsnMissing[] = "DSN を入力して下さい　　";
const char kUserMissing[] = "ユーザーを入力して下さい　　";

bool IsBlank(const char* text)
{
    VornString trimmed(text ? text : "");
    trimmed.TrimBlanks();
    return trimmed.IsEmpty();
}

}  // namespace

VornString ExportDialogCaption(DatabaseKind destination)
{
    const char* name = "";
    switch (destination) {
    case DatabaseKind::Excel: name = "EXCEL"; break;
    case DatabaseKind::Mdb: name = "MDB"; break;
    case DatabaseKind::SqlServer: name = "SQLServer"; break;
    case DatabaseKind::MySql: name = "MySQL"; break;
    case DatabaseKind::Oracle: name = "Oracle"; break;
    case DatabaseKind::Postgres: name = "Postgres"; break;
    default: break;
    }
    VornString caption(name);
    caption.Append(" エクスポート");
    return caption;
}

const char* DefaultExportPrefix(DatabaseKind destination)
{
    return destination == DatabaseKind::Postgres ? "EXP-" : "EXP_";
}

bool IsFileDestination(DatabaseKind destination)
{
    return destination == DatabaseKind::Excel || destination == DatabaseKind::Mdb;
}

ExportOptions InitialExportOptions(DatabaseKind destination, bool dataViewMode)
{
    ExportOptions options;
    options.createFixed = destination == DatabaseKind::Oracle || destination == DatabaseKind::Postgres;
    if (options.createFixed)
        options.createByProgram = ExportOption{true, false};
    options.addKey.enabled = destination != DatabaseKind::Excel;
    options.fileOnly.enabled = false;
    if (dataViewMode) {
        options.createByProgram.enabled = false;
        options.addKey.enabled = false;
        options.viaFile.enabled = false;
        options.fileOnly.enabled = false;
    }
    return options;
}

void SetViaFile(ExportOptions& options, bool checked)
{
    options.viaFile.checked = checked;
    if (checked) {
        options.createByProgram = ExportOption{true, false};
        options.fileOnly.enabled = true;
        return;
    }
    options.fileOnly = ExportOption{false, false};
    if (!options.createFixed)
        options.createByProgram = ExportOption{false, true};
}

VornString ExportTargetName(bool dataViewMode, const char* sourceTable, bool boxChecked, const char* editText)
{
    VornString name;
    if (dataViewMode) {
        name.Assign(boxChecked ? editText : sourceTable);
        return name;
    }
    if (boxChecked)
        name.Assign(editText);
    name.Append(sourceTable);
    return name;
}

const char* CheckFileDestination(DatabaseKind destination, const char* path)
{
    if (!IsBlank(path))
        return nullptr;
    return destination == DatabaseKind::Mdb ? kExportMdbPathMissing : kExportExcelPathMissing;
}

const char* CheckServerDestination(DatabaseKind destination, const char* server, const char* database,
                                   const char* user)
{
    if (IsBlank(server))
        return destination == DatabaseKind::SqlServer ? kServerMissing : kDsnMissing;
    if (destination == DatabaseKind::SqlServer && IsBlank(database))
        return kExportDatabaseMissing;
    if (IsBlank(user))
        return kUserMissing;
    return nullptr;
}

VornString ExportCreateTable(DatabaseKind destination, const char* target, const DefinitionRows& mapped,
                             bool withKey)
{
    DefinitionRows rows = mapped;
    for (DefinitionRow& row : rows) {
        row.resize(kDefColumnCount);
        if (!withKey)
            row[kDefPrimaryKey].Clear();
        // The mapped list keeps an exact numeric's precision and scale in its size and
        // precision cells; the create-table text reads them from precision and scale.
        if (row[kDefAdoType].Equals("131") && destination != DatabaseKind::Excel) {
            row[kDefScale] = row[kDefPrecision];
            row[kDefPrecision] = row[kDefSize];
            row[kDefSize].Clear();
        }
    }
    return CreateTableFromDefinition(destination, target, rows);
}

VornString DataViewClause(DatabaseKind source, const char* text)
{
    VornString clause(text ? text : "");
    if (source != DatabaseKind::Oracle && source != DatabaseKind::Postgres)
        clause.ReplaceAll("\"", "");
    return clause;
}

namespace {

ExportStatement StatementOf(ExportForm form, const char* destinationReference, const char* target,
                            const ExportSource& source)
{
    ExportStatement statement;
    statement.form = form;
    statement.destinationReference = destinationReference;
    statement.target = target;
    statement.columns = source.columns.IsEmpty() ? VornString("*") : source.columns;
    statement.sourceReference = source.reference;
    statement.sourceTable = source.table;
    statement.condition = source.condition;
    statement.order = source.order;
    return statement;
}

}  // namespace

VornString ExportInsertStatement(const char* destinationReference, const char* target, const ExportSource& source)
{
    return BuildExportStatement(StatementOf(ExportForm::Insert, destinationReference, target, source));
}

VornString ExportSelectIntoStatement(const char* destinationReference, const char* target,
                                     const ExportSource& source)
{
    return BuildExportStatement(StatementOf(ExportForm::SelectInto, destinationReference, target, source));
}

}  // namespace transfer
