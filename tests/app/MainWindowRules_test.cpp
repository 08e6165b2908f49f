// The main window's window-free rules: pane geometry, ratio stepping, dropped files, the
// statements of drop and clear, and lists handed over on the clipboard.
#include <gtest/gtest.h>

#include "app/MainWindowRules.h"

TEST(PaneLayout, PanesMeetWithoutGapsAtTheRatios)
{
    // 1000 x 700 client, half the width for the command area, 55 % of the height above.
    PaneLayout layout = ComputePaneLayout(1000, 700, 0.50, 0.55, 20, 40);
    EXPECT_EQ(0, layout.tableList.x);
    EXPECT_EQ(kToolBarReserve, layout.tableList.y);
    EXPECT_EQ(500, layout.tableList.width);
    EXPECT_EQ(385 - kToolBarReserve, layout.tableList.height);

    EXPECT_EQ(385, layout.definitionView.y);
    EXPECT_EQ(1000, layout.definitionView.width);
    EXPECT_EQ(700 - 20, layout.definitionView.y + layout.definitionView.height);

    EXPECT_EQ(500, layout.commandArea.x);
    EXPECT_EQ(500, layout.commandArea.width);
    // The command bar sits under the command area and reaches 1 pixel into the lower view.
    const int areaBottom = layout.commandArea.y + layout.commandArea.height;
    EXPECT_EQ(areaBottom - 1, layout.commandBar.y);
    EXPECT_EQ(499, layout.commandBar.x);
    EXPECT_EQ(386, layout.commandBar.y + layout.commandBar.height);
    EXPECT_EQ(areaBottom, 385 - 40 - 5);
}

TEST(PaneLayout, OtherRatiosMoveTheSplits)
{
    PaneLayout wide = ComputePaneLayout(1000, 700, 0.80, 0.30, 20, 40);
    EXPECT_EQ(200, wide.tableList.width);
    EXPECT_EQ(800, wide.commandArea.width);
    EXPECT_EQ(210, wide.definitionView.y);
}

TEST(RatioStepping, FiveClicksComeBackAndShiftRunsBackwards)
{
    int h = 40;
    for (int click = 0; click < 5; ++click)
        h = StepRatio(h, false, kRatioHLow, kRatioHHigh);
    EXPECT_EQ(40, h);
    EXPECT_EQ(80, StepRatio(40, true, kRatioHLow, kRatioHHigh));
    EXPECT_EQ(40, StepRatio(80, false, kRatioHLow, kRatioHHigh));
    EXPECT_EQ(30, StepRatio(70, false, kRatioVLow, kRatioVHigh));
    EXPECT_EQ(70, StepRatio(30, true, kRatioVLow, kRatioVHigh));
    // 55 (the default) steps to 65, then 30 after 75 would leave the range
    EXPECT_EQ(65, StepRatio(55, false, kRatioVLow, kRatioVHigh));
    EXPECT_EQ(30, StepRatio(65, false, kRatioVLow, kRatioVHigh));
}

TEST(DroppedFiles, TableListTakesWorkbooksAndMdbFilesInAnyCase)
{
    EXPECT_EQ(DatabaseKind::Excel, TableListDropKind("C:\\データ\\売上.XLS"));
    EXPECT_EQ(DatabaseKind::Excel, TableListDropKind("C:\\データ\\売上.xls"));
    EXPECT_EQ(DatabaseKind::Mdb, TableListDropKind("C:\\表\\台帳.Mdb"));
    EXPECT_EQ(DatabaseKind::None, TableListDropKind("C:\\表\\メモ.txt"));
    EXPECT_EQ(DatabaseKind::None, TableListDropKind("C:\\表.xls\\readme"));
    // "ソ" and "表" end in the byte 0x5C, which must not be taken for a path break
    EXPECT_EQ(DatabaseKind::Excel, TableListDropKind("C:\\ソ.xls"));
    EXPECT_EQ(DatabaseKind::Mdb, TableListDropKind("C:\\表.mdb"));
}

TEST(DroppedFiles, CommandAreaTypesFollowTheExtension)
{
    VornString type("WSH(.vbs)");
    EXPECT_TRUE(CommandAreaDropType("C:\\x\\script.cgi", type));
    EXPECT_STREQ("Perl", type);
    EXPECT_TRUE(CommandAreaDropType("C:\\x\\メモ.TXT", type));
    EXPECT_STREQ("Perl", type);  // a text file keeps the type
    EXPECT_TRUE(CommandAreaDropType("a.Sql", type));
    EXPECT_STREQ("SQL", type);
    EXPECT_TRUE(CommandAreaDropType("a.bat", type));
    EXPECT_STREQ("バッチファイル", type);
    EXPECT_TRUE(CommandAreaDropType("a.wsf", type));
    EXPECT_STREQ("WSH(.wsf)", type);
    EXPECT_TRUE(CommandAreaDropType("a.PHP", type));
    EXPECT_STREQ("PHP", type);
    EXPECT_FALSE(CommandAreaDropType("a.exe", type));
    EXPECT_FALSE(CommandAreaDropType("a.sql.bak", type));
    EXPECT_STREQ("PHP", type);
}

TEST(CommandBar, RowLimitChoicesAndSaveFilter)
{
    EXPECT_STREQ("50,100,200,300,400,500,1000", RowLimitChoices(""));
    EXPECT_STREQ("50,100,200,300,400,500,1000", RowLimitChoices(nullptr));
    EXPECT_STREQ("10,20,5000", RowLimitChoices("10,20,5000"));
    EXPECT_EQ(1, SaveFilterIndexForType("SQL"));
    EXPECT_EQ(2, SaveFilterIndexForType("外部プログラム"));
    EXPECT_EQ(2, SaveFilterIndexForType("バッチファイル"));
    EXPECT_EQ(4, SaveFilterIndexForType("WSH(.wsf)"));
    EXPECT_EQ(6, SaveFilterIndexForType("Perl"));
    EXPECT_STREQ("Action.cgi", ScriptFileForType("Perl"));
    EXPECT_EQ(nullptr, ScriptFileForType("バッチファイル"));
}

TEST(ObjectStatements, DropUsesTheRowTypeExceptWhereTheKindSaysOtherwise)
{
    EXPECT_STREQ("drop VIEW \"社員一覧\"", DropStatement(DatabaseKind::Postgres, "VIEW", "\"社員一覧\""));
    EXPECT_STREQ("drop TABLE `社員`", DropStatement(DatabaseKind::MySql, "VIEW", "`社員`"));
    EXPECT_STREQ("drop TABLE [リンク表]", DropStatement(DatabaseKind::Mdb, "LINK", "[リンク表]"));
    EXPECT_STREQ("drop VIEW [問合せ]", DropStatement(DatabaseKind::Mdb, "VIEW", "[問合せ]"));
    EXPECT_STREQ("drop TABLE [Sheet1$]", DropStatement(DatabaseKind::Excel, "TABLE", "[Sheet1$]"));
}

TEST(ObjectStatements, ClearDeletesOrTruncatesTablesOnly)
{
    EXPECT_STREQ("delete from [台帳]", ClearStatement(DatabaseKind::Mdb, "TABLE", "[台帳]"));
    EXPECT_STREQ("delete from [Sheet1$]", ClearStatement(DatabaseKind::Excel, "TABLE", "[Sheet1$]"));
    EXPECT_STREQ("truncate table [社員]", ClearStatement(DatabaseKind::SqlServer, "TABLE", "[社員]"));
    EXPECT_STREQ("truncate table \"社員\"", ClearStatement(DatabaseKind::Oracle, "TABLE", "\"社員\""));
    EXPECT_STREQ("", ClearStatement(DatabaseKind::SqlServer, "VIEW", "[一覧]"));
    EXPECT_STREQ("", ClearStatement(DatabaseKind::Postgres, "SYSTEM TABLE", "\"pg_class\""));
    EXPECT_STREQ("truncate table `一覧`", ClearStatement(DatabaseKind::MySql, "VIEW", "`一覧`"));
}

TEST(ClipboardTable, LinesAndFieldsSplitOnCharacterBoundaries)
{
    // "表" is 0x95 0x5C and "ソ" 0x83 0x5C: neither may split at the backslash separator.
    ClipboardTable rows("表\\ソ\\x\r\n\r\n1\\2\r\n", '\\');
    ASSERT_EQ(3u, rows.LineCount());
    ASSERT_EQ(3, rows.FieldCount(0));
    EXPECT_STREQ("表", rows.Field(0, 0));
    EXPECT_STREQ("ソ", rows.Field(0, 1));
    EXPECT_STREQ("x", rows.Field(0, 2));
    ASSERT_EQ(1, rows.FieldCount(1));
    EXPECT_TRUE(rows.IsBlank(1));
    EXPECT_STREQ("2", rows.Field(2, 1));
    EXPECT_STREQ("", rows.Field(2, 2));
    EXPECT_FALSE(rows.IsBlank(2));

    ClipboardTable tabbed("a\t\tc\nlast\r", '\t');
    ASSERT_EQ(2u, tabbed.LineCount());
    ASSERT_EQ(3, tabbed.FieldCount(0));
    EXPECT_STREQ("", tabbed.Field(0, 1));
    EXPECT_STREQ("c", tabbed.Field(0, 2));
    EXPECT_STREQ("last", tabbed.Field(1, 0));
    EXPECT_EQ(0u, ClipboardTable("", '\t').LineCount());
    EXPECT_EQ(1u, ClipboardTable("\r\n\r", '\t').LineCount());
    EXPECT_TRUE(ClipboardTable("\t", '\t').FieldCount(0) == 2);
}

TEST(Statements, TrimmingTakesBlanksIdeographicSpacesAndLineEndsFromBothEnds)
{
    VornString text("\r\n　 select '表'\r\n　\n\t");
    TrimStatement(text);
    EXPECT_STREQ("select '表'", text);
    VornString inner("a\r\nb");
    TrimStatement(inner);
    EXPECT_STREQ("a\r\nb", inner);
}
