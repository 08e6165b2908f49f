// The selected tables of the table list written out: as definition files (".wos", one
// per table, for rebuilding them on another kind) or as "create table" statements, in
// one file or one file per table, optionally after a "drop table" and followed by the
// table's rows as INSERT statements.
#pragma once

#include <windows.h>

#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "common/TextFile.h"
#include "schema/SchemaBrowser.h"

struct DefinitionOutputContext {
    SchemaBrowser* browser = nullptr;
    const GridView* tableList = nullptr;   // column 1 the name, column 3 the schema
    ProfileStore* settings = nullptr;      // SaveDir / DefineText
};

// One file per selected table in a chosen folder; "変換用表定義出力が終了しました" at the end.
void WriteDefinitionFiles(HWND owner, const DefinitionOutputContext& context);

// 1: every table into one file (save dialog); 2: table + ".sql" in a chosen folder; 3 and
// 4: as 1 and 2 with each table's rows after its statement.
enum class DefinitionOutputMode { OneFile = 1, FilePerTable = 2, OneFileWithData = 3, FilePerTableWithData = 4 };
void OutputTableDefinitions(HWND owner, const DefinitionOutputContext& context, DefinitionOutputMode mode,
                            bool withDrop);
// "表定義出力": asks for the mode and the drop flag, then writes.
void RunDefinitionOutput(HWND owner, const DefinitionOutputContext& context);
