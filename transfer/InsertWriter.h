// A table's rows written as INSERT statements for a database kind, one per line, read
// through a forward-only cursor so that a table of any size streams through.
#pragma once

#include "common/TextFile.h"
#include "db/DbLink.h"
#include "db/DefinitionList.h"

// Reads "select * from " + table on link's connection and writes one line per row into
// out. table is the name as SQL writes it (enclosed); intoTable, when given, is the name
// the statements insert into. definition supplies the columns' type names and defaults
// (which decide the columns left out); a column it lacks is written by its field type.
// When the table cannot be read, "-- レコードセットを取得できませんでした (table) " and an
// empty line are written instead; false then, and when reading stopped part-way (a "--"
// line with the error is written) or the file could not be written.
bool WriteInsertStatements(DbLink& link, DatabaseKind kind, const char* table, const DefinitionRows& definition,
                           TextFile& out, const char* intoTable = nullptr);
