// Macro expansion over a text of about 1 MB with many macros: the selection step, then the
// definition reading of the input step (scripted answers, no dialogs). Prints MB/s.
//   macro_benchmark [rounds]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command/MacroExpansion.h"

namespace {

class QuietPrompter : public MacroPrompter {
public:
    bool Confirm(const char*) override { return true; }
    bool AskText(int, const char*, const char*, const std::vector<VornString>&, VornString& text) override
    {
        text = "入力値";
        return true;
    }
    bool ChooseSaveFile(const MacroFileRequest&, VornString& path) override
    {
        path = "C:\\出力\\結果.csv";
        return true;
    }
    bool ChooseOpenFile(const MacroFileRequest&, VornString& path) override
    {
        path = "C:\\入力\\元.sql";
        return true;
    }
    bool ChooseFolder(const char*, VornString& path) override
    {
        path = "C:\\作業";
        return true;
    }
    bool ChooseFiles(const MacroFilesRequest&, VornString paths[3]) override
    {
        for (int i = 0; i < 3; ++i)
            paths[i] = "C:\\ソ\\表.txt";
        return true;
    }
};

std::string BuildText(size_t bytes)
{
    static const char* const kLines[] = {
        "select $LISTCOLUMN from $TABLE where 表ソ = '$TEXT1' -- 能力 $TYPE\r\n",
        "insert into $ENCLOSE$TABLE ($LISTSPACECOLUMN) values ('$TEXT2', '$PC', '$LOGON');\r\n",
        "copy \"$PGDIR\\表.csv\" \"$TEMP\\$DSN-$DATABASE-$USER.csv\" > $SAVE\r\n",
        "alter table $TABLE alter column $COLUMN $DATATYPE; -- $HWND $MYDOC $DESKTOPDIR\r\n",
        "-- 漢字とソ表能 that has no macro at all, only text with trail bytes 0x5C and ポ 0x7C\r\n",
        "type $OPEN $DIR\\$FILE1 $FILE2 $TEXT6 $CONNECTION $WINDOWS $SYSTEM $SERVER $DBPATH\r\n",
    };
    std::string text =
        "$CONFIRM,実行しますか\r\n$DEFAULT1,既定\r\n$COMMENT1,説明\r\n$LISTTEXT2,a|b|c\r\n"
        "$TITLESAVE,保存\r\n$EXTSAVE,csv\r\n$COMMENTFILE1,一\r\n$EXTFILE2,txt\r\n";
    for (size_t i = 0; text.size() < bytes; ++i)
        text += kLines[i % (sizeof kLines / sizeof kLines[0])];
    return text;
}

MacroSelection Selection()
{
    MacroSelection selection;
    selection.kind = DatabaseKind::Postgres;
    selection.tables = {{"社員", "TABLE"}, {"売上明細", "TABLE"}};
    selection.definitionShowsTable = true;
    selection.definitionHasSelection = true;
    SelectedColumn column;
    column.name = "番号";
    column.adoType = "3";
    column.typeName = "int4";
    column.size = "4";
    selection.columns = {column, column};
    selection.connection.Build(DatabaseKind::Postgres, "KestrovaPg,sample,kestrova,kestrova");
    selection.windowsFolder = "C:\\windows";
    selection.systemFolder = "C:\\windows\\system32";
    selection.programFolder = "C:\\Kestrova";
    selection.tempFolder = "C:\\temp\\";
    selection.desktopFolder = "C:\\デスクトップ\\";
    selection.documentsFolder = "C:\\文書\\";
    selection.computerName = "PC1";
    selection.userName = "鈴木";
    selection.mainWindow = 123456;
    return selection;
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::string source = BuildText(1 << 20);
    const MacroSelection selection = Selection();
    ProfileStore settings("macro_benchmark.ini");
    QuietPrompter prompter;
    double best = 0;
    size_t outputLength = 0;
    for (int round = 0; round < rounds; ++round) {
        VornString text(source.c_str());
        auto start = std::chrono::steady_clock::now();
        MacroRefusal refusal;
        bool ok = ExpandSelectionMacros(text, selection, &refusal) &&
                  ExpandInputMacros(text, selection.kind, settings, prompter);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!ok) {
            std::fprintf(stderr, "expansion refused\n");
            return 1;
        }
        outputLength = text.Length();
        double rate = source.size() / 1048576.0 / seconds;
        if (rate > best)
            best = rate;
    }
    std::printf("macro expansion: %.2f MB in, %.2f MB out, best of %d rounds: %.1f MB/s\n",
                source.size() / 1048576.0, outputLength / 1048576.0, rounds, best);
    return 0;
}
