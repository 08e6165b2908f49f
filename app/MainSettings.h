// The main program's settings file: section and key names, defaults, and the readers that
// turn stored text into numbers, fonts, flags and paths. Window-free, so it builds natively.
#pragma once

#include "common/ProfileStore.h"
#include "common/VornString.h"

namespace settings {

// Sections
extern const char kMainOption[];
extern const char kSaveDir[];
extern const char kUserMenu[];

// MainOption keys
extern const char kCommandFontType[];
extern const char kCommandFontSize[];
extern const char kTableViewFontType[];
extern const char kTableViewFontSize[];
extern const char kDefineViewFontType[];
extern const char kDefineViewFontSize[];
extern const char kDataViewFontType[];
extern const char kDataViewFontSize[];
extern const char kColumnWidth3[];
extern const char kColumnWidth4[];
extern const char kMaxCount[];
extern const char kCommandBackColor[];
extern const char kCommandDispRateH[];
extern const char kCommandDispRateV[];
extern const char kPhpPath[];
extern const char kPerlPath[];
extern const char kShell[];
extern const char kActDisp[];
extern const char kConsole[];
extern const char kActionExtIsHtml[];
// The hot-key launcher's keys (VK_NUMPAD0 ...) are in HotKeys.h.

// SaveDir keys: the last folder of each file dialog, by the dialog's purpose.
extern const char kDirCommandArea[];
extern const char kDirText[];
extern const char kDirCsv[];
extern const char kDirHtml[];
extern const char kDirBatExec[];
extern const char kDirOpenMacro[];
extern const char kDirSaveMacro[];
extern const char kDirFileMacro1[];
extern const char kDirFileMacro2[];
extern const char kDirFileMacro3[];
extern const char kDirUpdSql[];
extern const char kDirCsvput[];
extern const char kDirMySQLcsv[];
extern const char kDirExcelExport[];
extern const char kDirMDBExport[];
extern const char kDirHtmlput[];
extern const char kDirXmlput[];
extern const char kDirDefineText[];
extern const char kDirExcel[];
extern const char kDirExcelNew[];
extern const char kDirMdb[];
extern const char kDirNewUnlha32[];
extern const char kDirOpenUnlha32[];
extern const char kDirSelectUnlha32[];
extern const char kDirNewUnlzip32[];
extern const char kDirOpenUnzip32[];
extern const char kDirSelectUnzip32[];

// Window-rectangle sections
extern const char kMainWindowSize[];
extern const char kDataWindowSize[];
extern const char kCondWindowSize[];
extern const char kSortWindowSize[];
extern const char kDispcolumnWindowSize[];
extern const char kInsertWindowSize[];
extern const char kUpdateWindowSize[];
extern const char kCreateWindowSize[];
extern const char kAlterAddWindowSize[];
extern const char kAlterDelWindowSize[];
extern const char kAlterUpdWindowSize[];
extern const char kUnlha32WindowSize[];

// Defaults
const int kDefaultColumnWidth = 95;
const int kDefaultMaxCount = 50;
const int kDefaultDispRateH = 50;
const int kDefaultDispRateV = 55;
const int kDispRateHMin = 40;
const int kDispRateHMax = 80;
const int kDispRateVMin = 30;
const int kDispRateVMax = 70;
const int kDefaultFontSize = 10;
const int kMinFontSize = 8;
const int kMaxFontSize = 18;

}  // namespace settings

enum class FontPane { CommandArea, TableList, DefinitionView, DataView };

// The key's value as a decimal number (blanks around it allowed); defaultValue when the key
// is missing, empty or not a whole number, and for "0" when zeroIsMissing.
int ReadSettingNumber(const ProfileStore& store, const char* section, const char* key, int defaultValue,
                      bool zeroIsMissing = false);

// A ratio key within [minimum, maximum]; a stored value outside it takes the default, so a
// hand-edited file cannot collapse a pane.
int ReadDisplayRate(const ProfileStore& store, const char* key, int defaultValue, int minimum, int maximum);

struct FontSetting {
    int faceKind;
    int pointSize;
    // Face code 0-3 and size 8-18; anything else leaves the control's current font.
    bool IsValid() const;
};

const char* FontTypeKey(FontPane pane);
const char* FontSizeKey(FontPane pane);
// Face 2 for the command area, 0 for the grids; size 10.
FontSetting DefaultFontSetting(FontPane pane);
// The stored face code and size, each falling back to its default when missing; the values
// are not range-checked here (see IsValid).
FontSetting ReadFontSetting(const ProfileStore& store, FontPane pane);

// "ＭＳ Ｐゴシック" (0), "ＭＳ Ｐ明朝" (1), "ＭＳ ゴシック" (2), "ＭＳ 明朝" (3); null for other codes.
const char* FaceNameOfCode(int faceKind);
// The code of an exact face name, -1 when it is none of the four.
int FaceCodeOfName(const char* faceName);

// A MainOption flag: the value, trimmed of spaces and ideographic spaces, is "YES" in any case.
bool IsOptionSet(const ProfileStore& store, const char* key);

// A MainOption path key (PhpPath, PerlPath, Shell, ActDisp) trimmed of spaces and ideographic
// spaces; false (path empty) when missing or blank, which means "not set".
bool ReadPathSetting(const ProfileStore& store, const char* key, VornString& path);
// The PHP interpreter; false when not set.
bool ReadPhpPath(const ProfileStore& store, VornString& path);

// Stores the folder of a chosen file under SaveDir/key, where its dialog starts next time.
void RememberSaveFolder(ProfileStore& store, const char* key, const char* chosenPath);
