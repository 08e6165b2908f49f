#include "OptionsRows.h"

#include <cstring>

#include "HotKeys.h"
#include "common/SjisText.h"

const char kOptionChangeMark[] = "〆";
const char kOptionFaceChoices[] = "ＭＳ ゴシック,ＭＳ Ｐゴシック,ＭＳ 明朝,ＭＳ Ｐ明朝";
const char kOptionSizeChoices[] = "8,9,10,11,12,13,14,15,16,17,18";

namespace {

std::vector<OptionRow> BuildRows()
{
    using namespace settings;
    std::vector<OptionRow> rows = {
        {OptionRowKind::Font, "コマンドエリアのフォント", kCommandFontType, kCommandFontSize, FontPane::CommandArea},
        {OptionRowKind::Font, "テーブル一覧ビューのフォント", kTableViewFontType, kTableViewFontSize, FontPane::TableList},
        {OptionRowKind::Font, "表定義ビューのフォント", kDefineViewFontType, kDefineViewFontSize,
         FontPane::DefinitionView},
        {OptionRowKind::Font, "データ表示ビューのフォント", kDataViewFontType, kDataViewFontSize, FontPane::DataView},
        {OptionRowKind::Path, "PHP.EXE のパス", kPhpPath, nullptr, FontPane::CommandArea},
        {OptionRowKind::Path, "Perl.exe のパス", kPerlPath, nullptr, FontPane::CommandArea},
        {OptionRowKind::Shell, "コマンドシェル", kShell, nullptr, FontPane::CommandArea},
        {OptionRowKind::Path, "ｱｸｼｮﾝｺﾏﾝﾄﾞの結果表示ﾌﾟﾛｸﾞﾗﾑ", kActDisp, nullptr, FontPane::CommandArea},
        {OptionRowKind::Flag, "外部ｱｸｼｮﾝを実行時にｺﾝｿｰﾙを開く", kConsole, nullptr, FontPane::CommandArea},
        {OptionRowKind::Flag, "外部ｱｸｼｮﾝの結果ﾌｧｲﾙの拡張子を.HTM にする", kActionExtIsHtml, nullptr,
         FontPane::CommandArea},
    };
    for (int i = 0; i < kHotKeyCount; ++i) {
        const HotKeyEntry& entry = HotKeyTable()[i];
        rows.push_back({OptionRowKind::Launch, entry.caption, entry.key, nullptr, FontPane::CommandArea});
    }
    return rows;
}

// The settings file loses one pair of quotes enclosing a value when it is read back, which
// would break a command line such as "C:\Program Files\x.exe" "a": such a value gets one
// more pair, so it reads back as written.
VornString StorableValue(const char* value)
{
    VornString text(value ? value : "");
    size_t length = text.Length();
    const char* p = text.Text();
    if (length > 1 && (p[0] == '"' || p[0] == '\'') && sjis::EndsWithChar(p + 1, p[0])) {
        text.Prepend("\"");
        text.Append('"');
    }
    return text;
}

}  // namespace

const char* OptionKindText(OptionRowKind kind)
{
    switch (kind) {
    case OptionRowKind::Font: return "font";
    case OptionRowKind::Path: return "path";
    case OptionRowKind::Shell: return "win9x";
    case OptionRowKind::Flag: return "flag";
    case OptionRowKind::Launch: return "launch";
    }
    return "";
}

const std::vector<OptionRow>& OptionRows()
{
    static const std::vector<OptionRow> rows = BuildRows();
    return rows;
}

OptionRowText ReadOptionRow(const ProfileStore& store, const OptionRow& row)
{
    OptionRowText text;
    switch (row.kind) {
    case OptionRowKind::Font: {
        FontSetting stored = ReadFontSetting(store, row.pane);
        // A code outside the four faces has no name: the default face stays shown.
        const char* face = FaceNameOfCode(stored.faceKind);
        text.value = face ? face : FaceNameOfCode(DefaultFontSetting(row.pane).faceKind);
        text.size.Format("%d", stored.pointSize);
        break;
    }
    case OptionRowKind::Launch:
        for (int i = 0; i < kHotKeyCount; ++i)
            if (std::strcmp(HotKeyTable()[i].key, row.key) == 0)
                text.value = HotKeyCommandLine(store, HotKeyTable()[i].command);
        text.key = row.key;
        break;
    default:
        store.Read(settings::kMainOption, row.key, text.value);
        break;
    }
    return text;
}

OptionMenuState MenuStateFor(OptionRowKind kind)
{
    switch (kind) {
    case OptionRowKind::Path: return {true, false};
    case OptionRowKind::Launch: return {true, true};
    default: return {false, false};
    }
}

OptionEditor EditorFor(OptionRowKind kind, int column)
{
    if (kind == OptionRowKind::Font) {
        if (column == kOptionValueColumn)
            return OptionEditor::FaceList;
        if (column == kOptionSizeColumn)
            return OptionEditor::SizeList;
        return OptionEditor::None;
    }
    return column == kOptionValueColumn ? OptionEditor::Text : OptionEditor::None;
}

bool WriteOptionRow(ProfileStore& store, const OptionRow& row, const char* value, const char* size,
                    const char* keyName, FontSetting* font)
{
    switch (row.kind) {
    case OptionRowKind::Font: {
        int code = FaceCodeOfName(value);
        if (code >= 0)
            store.WriteFormat(settings::kMainOption, row.key, "%d", code);
        VornString sizeText(size ? size : "");
        sizeText.TrimBlanks();
        if (!sizeText.IsEmpty())
            store.Write(settings::kMainOption, row.sizeKey, sizeText);
        if (!font)
            return false;
        *font = ReadFontSetting(store, row.pane);
        return code >= 0 && font->IsValid();
    }
    case OptionRowKind::Launch:
        store.Write(settings::kMainOption, keyName && *keyName ? keyName : row.key, StorableValue(value));
        return false;
    default: {
        VornString text(value ? value : "");
        if (std::strcmp(row.key, settings::kPhpPath) == 0)
            text.TrimBlanks();
        store.Write(settings::kMainOption, row.key, StorableValue(text));
        return false;
    }
    }
}
