#include "HotKeys.h"

#include "MainSettings.h"

namespace {

const HotKeyEntry kHotKeys[kHotKeyCount] = {
    {32928, "VK_NUMPAD0", "regedit.exe", "Ctrl+ﾃﾝｷｰ0 (省略時:レジストリエディタ)"},
    {32935, "VK_NUMPAD1", "notepad.exe", "Ctrl+ﾃﾝｷｰ1 (省略時:メモ帳)"},
    {32936, "VK_NUMPAD2", "RunDLL32.EXE shell32.dll,SHHelpShortcuts_RunDLL PrintersFolder",
     "Ctrl+ﾃﾝｷｰ2 (省略時:プリンタフォルダ)"},
    {32937, "VK_NUMPAD3", "EXPLORER.EXE ::{645FF040-5081-101B-9F08-00AA002F954E}", "Ctrl+ﾃﾝｷｰ3 (省略時:ごみ箱)"},
    {32938, "VK_NUMPAD4", "RunDLL32.EXE shell32.dll,Control_RunDLL sysdm.cpl", "Ctrl+ﾃﾝｷｰ4 (省略時:ｼｽﾃﾑのﾌﾟﾛﾊﾟﾃｨ)"},
    {32939, "VK_NUMPAD5", "RunDLL32.EXE shell32.dll,Control_RunDLL desk.cpl", "Ctrl+ﾃﾝｷｰ5 (省略時:画面のﾌﾟﾛﾊﾟﾃｨ)"},
    {32940, "VK_NUMPAD6", "RunDLL32.EXE shell32.dll,Control_RunDLL inetcpl.cpl",
     "Ctrl+ﾃﾝｷｰ6 (省略時:ｲﾝﾀｰﾈｯﾄのﾌﾟﾛﾊﾟﾃｨ)"},
    {32929, "VK_NUMPAD7", "mspaint.exe", "Ctrl+ﾃﾝｷｰ7 (省略時:ペイント)"},
    {32933, "VK_NUMPAD8", "RunDLL32.EXE shell32.dll,Control_RunDLL odbccp32.cpl",
     "Ctrl+ﾃﾝｷｰ8 (省略時:ODBC ｱﾄﾞﾐﾆｽﾄﾚｰﾀ)"},
    {32934, "VK_NUMPAD9", "RunDLL32.EXE shell32.dll,Control_RunDLL appwiz.cpl",
     "Ctrl+ﾃﾝｷｰ9 (省略時:ﾌﾟﾛｸﾞﾗﾑの追加と削除)"},
    {32931, "VK_DECIMAL", "RunDLL32.EXE shell32.dll,Control_RunDLL", "Ctrl+ﾃﾝｷｰ. (省略時:ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ)"},
    {32930, "VK_DIVIDE", "RunDLL32.EXE shell32.dll,SHHelpShortcuts_RunDLL Connect",
     "Ctrl+ﾃﾝｷｰ/ (省略時:ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞの割り当て)"},
    {32927, "VK_MULTIPLY", "cmd.exe", "Ctrl+ﾃﾝｷｰ* (省略時:ｺﾏﾝﾄﾞﾌﾟﾛﾝﾌﾟﾄ)"},
    {32932, "VK_SUBTRACT", "taskmgr.exe", "Ctrl+ﾃﾝｷｰ- (省略時:ﾀｽｸﾏﾈｰｼﾞｬ)"},
    {32926, "VK_ADD", "calc.exe", "Ctrl+ﾃﾝｷｰ+ (省略時:電卓)"},
};

}  // namespace

const HotKeyEntry* HotKeyTable() { return kHotKeys; }

const HotKeyEntry* FindHotKey(unsigned command)
{
    for (const HotKeyEntry& entry : kHotKeys)
        if (entry.command == command)
            return &entry;
    return nullptr;
}

bool IsHotKeyCommand(unsigned command) { return FindHotKey(command) != nullptr; }

VornString HotKeyCommandLine(const ProfileStore& store, unsigned command)
{
    VornString commandLine;
    const HotKeyEntry* entry = FindHotKey(command);
    if (!entry)
        return commandLine;
    if (!store.Read(settings::kMainOption, entry->key, commandLine))
        commandLine = entry->defaultCommand;
    return commandLine;
}
