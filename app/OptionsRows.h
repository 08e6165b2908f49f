// The rows of the options dialog ("オプション設定") and what each kind of row shows, offers
// and writes; window-free so the rules build and run natively.
#pragma once

#include <vector>

#include "MainSettings.h"
#include "common/ProfileStore.h"
#include "common/VornString.h"

enum class OptionRowKind { Font, Path, Shell, Flag, Launch };

struct OptionRow {
    OptionRowKind kind;
    const char* caption;
    const char* key;      // font rows: the face key
    const char* sizeKey;  // font rows only, else null
    FontPane pane;        // font rows only
};

// The grid's columns: kind, hidden change mark, caption, value, font size, hidden key name.
enum OptionColumn {
    kOptionKindColumn = 0,
    kOptionMarkColumn = 1,
    kOptionCaptionColumn = 2,
    kOptionValueColumn = 3,
    kOptionSizeColumn = 4,
    kOptionKeyColumn = 5,
};

extern const char kOptionChangeMark[];
// The drop-down items of the face and size columns, in the order the dialog offers them.
extern const char kOptionFaceChoices[];
extern const char kOptionSizeChoices[];

// "font", "path", "win9x", "flag", "launch"
const char* OptionKindText(OptionRowKind kind);
// Fonts, paths, shell, result program, flags, then the fifteen launcher rows.
const std::vector<OptionRow>& OptionRows();

struct OptionRowText {
    VornString value;  // column 3
    VornString size;   // column 4 (font rows)
    VornString key;    // column 5 (launcher rows)
};
// What a row shows when the dialog opens.
OptionRowText ReadOptionRow(const ProfileStore& store, const OptionRow& row);

struct OptionMenuState {
    bool browse;  // "ファイル参照"
    bool run;     // "実行"
};
OptionMenuState MenuStateFor(OptionRowKind kind);

enum class OptionEditor { None, Text, FaceList, SizeList };
// What a click on the column of a row of this kind opens.
OptionEditor EditorFor(OptionRowKind kind, int column);

// Writes one marked row: a font row its face code (when the name is one of the four faces)
// and size, with the setting in *font; the other rows the value, under keyName for launcher
// rows. True for a font row whose setting can be applied to its pane at once.
bool WriteOptionRow(ProfileStore& store, const OptionRow& row, const char* value, const char* size,
                    const char* keyName, FontSetting* font);
