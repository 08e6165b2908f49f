#include "MainSettings.h"

#include <climits>
#include <cstring>

#include "common/FontTable.h"

namespace settings {

const char kMainOption[] = "MainOption";
const char kSaveDir[] = "SaveDir";
const char kUserMenu[] = "UserMenu";

const char kCommandFontType[] = "CommandFontType";
const char kCommandFontSize[] = "CommandFontSize";
const char kTableViewFontType[] = "TableViewFontType";
const char kTableViewFontSize[] = "TableViewFontSize";
const char kDefineViewFontType[] = "DefineViewFontType";
const char kDefineViewFontSize[] = "DefineViewFontSize";
const char kDataViewFontType[] = "DataViewFontType";
const char kDataViewFontSize[] = "DataViewFontSize";
const char kColumnWidth3[] = "ColumnWidth3";
const char kColumnWidth4[] = "ColumnWidth4";
const char kMaxCount[] = "MaxCount";
const char kCommandBackColor[] = "CommandBackColor";
const char kCommandDispRateH[] = "CommandDispRateH";
const char kCommandDispRateV[] = "CommandDispRateV";
const char kPhpPath[] = "PhpPath";
const char kPerlPath[] = "PerlPath";
const char kShell[] = "Shell";
const char kActDisp[] = "ActDisp";
const char kConsole[] = "Console";
const char kActionExtIsHtml[] = "ActionExtIsHtml";

const char kDirCommandArea[] = "CommandArea";
const char kDirText[] = "Text";
const char kDirCsv[] = "Csv";
const char kDirHtml[] = "Html";
const char kDirBatExec[] = "BatExec";
const char kDirOpenMacro[] = "OpenMacro";
const char kDirSaveMacro[] = "SaveMacro";
const char kDirFileMacro1[] = "FileMacro1";
const char kDirFileMacro2[] = "FileMacro2";
const char kDirFileMacro3[] = "FileMacro3";
const char kDirUpdSql[] = "UpdSql";
const char kDirCsvput[] = "Csvput";
const char kDirMySQLcsv[] = "MySQLcsv";
const char kDirExcelExport[] = "ExcelExport";
const char kDirMDBExport[] = "MDBExport";
const char kDirHtmlput[] = "Htmlput";
const char kDirXmlput[] = "Xmlput";
const char kDirDefineText[] = "DefineText";
const char kDirExcel[] = "Excel";
const char kDirExcelNew[] = "ExcelNew";
const char kDirMdb[] = "Mdb";
const char kDirNewUnlha32[] = "NewUnlha32";
const char kDirOpenUnlha32[] = "OpenUnlha32";
const char kDirSelectUnlha32[] = "SelectUnlha32";
const char kDirNewUnlzip32[] = "NewUnlzip32";
const char kDirOpenUnzip32[] = "OpenUnzip32";
const char kDirSelectUnzip32[] = "SelectUnzip32";

const char kMainWindowSize[] = "MainWindowSize";
const char kDataWindowSize[] = "DataWindowSize";
const char kCondWindowSize[] = "CondWindowSize";
const char kSortWindowSize[] = "SortWindowSize";
const char kDispcolumnWindowSize[] = "DispcolumnWindowSize";
const char kInsertWindowSize[] = "InsertWindowSize";
const char kUpdateWindowSize[] = "UpdateWindowSize";
const char kCreateWindowSize[] = "CreateWindowSize";
const char kAlterAddWindowSize[] = "AlterAddWindowSize";
const char kAlterDelWindowSize[] = "AlterDelWindowSize";
const char kAlterUpdWindowSize[] = "AlterUpdWindowSize";
const char kUnlha32WindowSize[] = "Unlha32WindowSize";

}  // namespace settings

namespace {

// Optional sign and decimal digits only, within int.
bool ParseWholeNumber(const char* text, int* value)
{
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (*p == '\0')
        return false;
    long long number = 0;
    for (; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        number = number * 10 + (*p - '0');
        if (number > INT_MAX)
            return false;
    }
    *value = static_cast<int>(negative ? -number : number);
    return true;
}

}  // namespace

int ReadSettingNumber(const ProfileStore& store, const char* section, const char* key, int defaultValue,
                      bool zeroIsMissing)
{
    VornString text;
    if (!store.Read(section, key, text))
        return defaultValue;
    text.TrimBlanks();
    int value = 0;
    if (!ParseWholeNumber(text.Text(), &value))
        return defaultValue;
    if (zeroIsMissing && value == 0)
        return defaultValue;
    return value;
}

int ReadDisplayRate(const ProfileStore& store, const char* key, int defaultValue, int minimum, int maximum)
{
    int rate = ReadSettingNumber(store, settings::kMainOption, key, defaultValue);
    return rate < minimum || rate > maximum ? defaultValue : rate;
}

bool FontSetting::IsValid() const
{
    return FaceNameOfCode(faceKind) != nullptr && pointSize >= settings::kMinFontSize &&
           pointSize <= settings::kMaxFontSize;
}

const char* FontTypeKey(FontPane pane)
{
    switch (pane) {
    case FontPane::CommandArea: return settings::kCommandFontType;
    case FontPane::TableList: return settings::kTableViewFontType;
    case FontPane::DefinitionView: return settings::kDefineViewFontType;
    case FontPane::DataView: return settings::kDataViewFontType;
    }
    return settings::kCommandFontType;
}

const char* FontSizeKey(FontPane pane)
{
    switch (pane) {
    case FontPane::CommandArea: return settings::kCommandFontSize;
    case FontPane::TableList: return settings::kTableViewFontSize;
    case FontPane::DefinitionView: return settings::kDefineViewFontSize;
    case FontPane::DataView: return settings::kDataViewFontSize;
    }
    return settings::kCommandFontSize;
}

FontSetting DefaultFontSetting(FontPane pane)
{
    return FontSetting{pane == FontPane::CommandArea ? 2 : 0, settings::kDefaultFontSize};
}

FontSetting ReadFontSetting(const ProfileStore& store, FontPane pane)
{
    FontSetting font = DefaultFontSetting(pane);
    font.faceKind = ReadSettingNumber(store, settings::kMainOption, FontTypeKey(pane), font.faceKind);
    font.pointSize = ReadSettingNumber(store, settings::kMainOption, FontSizeKey(pane), font.pointSize);
    return font;
}

const char* FaceNameOfCode(int faceKind) { return FontFaceName(faceKind); }

int FaceCodeOfName(const char* faceName)
{
    if (!faceName)
        return -1;
    for (int code = 0; FontFaceName(code); ++code)
        if (std::strcmp(FontFaceName(code), faceName) == 0)
            return code;
    return -1;
}

bool IsOptionSet(const ProfileStore& store, const char* key)
{
    return store.IsValue(settings::kMainOption, key, "YES");
}

bool ReadPathSetting(const ProfileStore& store, const char* key, VornString& path)
{
    if (!store.Read(settings::kMainOption, key, path))
        return false;
    path.TrimBlanks();
    return !path.IsEmpty();
}

bool ReadPhpPath(const ProfileStore& store, VornString& path)
{
    return ReadPathSetting(store, settings::kPhpPath, path);
}

void RememberSaveFolder(ProfileStore& store, const char* key, const char* chosenPath)
{
    VornString folder(chosenPath);
    folder.RemoveFileSpec();
    store.Write(settings::kSaveDir, key, folder);
}
