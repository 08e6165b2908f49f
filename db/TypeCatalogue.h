// ADO data-type numbers (as decimal text, the way definition lists hold them) turned
// into names, descriptions and literal categories, and definition lists rewritten for
// another database kind.
#pragma once

#include "DatabaseKind.h"
#include "DefinitionList.h"

// Each look-up gives "未定義" for a number it does not know.
const char* TypeConstantName(const char* numberText);
// Depends on the current kind for 4, 7 and 17.
const char* GenericTypeName(const char* numberText, DatabaseKind currentKind);
const char* TypeDescription(const char* numberText);
// "数値", "日付", "文字列" or "未定義": decides how generated SQL writes a literal.
const char* TypeCategory(const char* numberText);
// The category a statement writes a value by: TypeCategory, except that the variable and
// long character types (200, 201, 203) and GUIDs (72), which the catalogue leaves
// "未定義", are "文字列" — written bare, their values would break the statement or, as
// a key condition, select other rows than the one meant.
const char* LiteralCategory(const char* numberText);

// Copies the source rows and rewrites type name, size, precision and scale for the
// destination kind.
DefinitionRows MapDefinitionsForExport(const DefinitionRows& source, DatabaseKind sourceKind,
                                       DatabaseKind destinationKind);
