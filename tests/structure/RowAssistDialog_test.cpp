// The INSERT and UPDATE assistants over the sample PostgreSQL database's "社員", driven from
// a thread of their own as a user would: clicks on cells, typing, drop-down picks, menu
// commands and the answers to their message boxes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "GridDialogDriving.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "app/MainWindowTestSupport.h"
#include "common/GridView.h"
#include "dataview/DataViewMessages.h"
#include "resources/RowAssistDialogIds.h"
#include "resources/resource.h"
#include "structure/RowAssistDialog.h"

namespace {

const char kPostgres[] = "KestrovaPg,sample,kestrova,kestrova";
const char kOriginalRemark[] = "O''Brien さんの後任";
enum SampleRow { kNumberRow = 0, kNameRow = 1, kJoinedRow = 3, kSalaryRow = 4, kRemarkRow = 7 };

class RowAssistDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<RecordingWindow>("データ表示", false);
        definition_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        data_ = std::make_unique<GridView>(owner_->Handle(), 0, 0, 600, 300);
        settingsPath_ = ScratchPath("row_assist.ini");
        RemoveFile(settingsPath_);
        settings_ = std::make_unique<ProfileStore>(settingsPath_.c_str());
        kindFolder_ = ScratchPath("Postgres");
        CreateDirectoryA(kindFolder_.c_str(), nullptr);
        CreateDirectoryA((kindFolder_ + "\\parts").c_str(), nullptr);
        RemoveFile(kindFolder_ + "\\parts\\Cond.txt");

        ASSERT_TRUE(browser_.BuildConnection(DatabaseKind::Postgres, kPostgres));
        browser_.tableName = "社員";
        ASSERT_EQ(8, browser_.ShowDefinition(*definition_, -1, "public")) << browser_.ErrorText.Text();
        context_.browser = &browser_;
        context_.definitionView = definition_.get();
        context_.settings = settings_.get();
        context_.kindFolder = kindFolder_.c_str();
        context_.toCommandArea = [this](const char* text) {
            transferred_ = text;
            ++transfers_;
        };
    }

    void TearDown() override { RemoveFile(settingsPath_); }

    // Opens the assistant, runs the action on it and closes it with Cancel.
    void Run(RowAssistKind kind, const RowAssistPrefill& prefill, const std::function<void(HWND)>& action)
    {
        DialogDriver driver(kind == RowAssistKind::Insert ? "INSERT 支援" : "UPDATE 支援", [&](HWND dialog) {
            WaitFor([&] { return GetForegroundWindow() == dialog; });
            Sleep(300);
            action(dialog);
            Press(dialog, IDCANCEL);
        });
        RunRowAssist(owner_->Handle(), kind, context_, prefill);
        EXPECT_TRUE(driver.Finish());
    }

    // The statement "コマンドエリア" hands over.
    std::string Transfer(HWND dialog)
    {
        int before = transfers_;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDM_RA_TO_COMMAND_AREA, 0), 0);
        if (!WaitFor([&] { return transfers_ > before; }))
            return "<none>";
        return transferred_;
    }

    // Read through a link of the test's own, not the one the dialog wrote through.
    std::string StoredRemark()
    {
        SchemaBrowser reader;
        reader.BuildConnection(DatabaseKind::Postgres, kPostgres);
        GridView result(owner_->Handle(), 0, 0, 100, 100);
        reader.sqlText = "select \"備考\" from \"社員\" where \"社員番号\" = 1";
        if (reader.FillResultList(result) != 1)
            return "<failed> " + std::string(reader.ErrorText.Text());
        return result.CellText(0, 0).Text();
    }

    void RestoreRemark()
    {
        SchemaBrowser writer;
        writer.BuildConnection(DatabaseKind::Postgres, kPostgres);
        writer.sqlText.Format("update \"社員\" set \"備考\" = '%s' where \"社員番号\" = 1", kOriginalRemark);
        EXPECT_EQ(0, writer.ExecuteSqlText()) << writer.ErrorText.Text();
    }

    std::unique_ptr<RecordingWindow> owner_;
    std::unique_ptr<GridView> definition_;
    std::unique_ptr<GridView> data_;
    std::string settingsPath_;
    std::unique_ptr<ProfileStore> settings_;
    std::string kindFolder_;
    SchemaBrowser browser_;
    RowAssistContext context_;
    std::string transferred_;
    std::atomic<int> transfers_{0};
};

}  // namespace

TEST_F(RowAssistDialogTest, InsertChecksItsInputAndHandsTheStatementToTheCommandArea)
{
    Run(RowAssistKind::Insert, RowAssistPrefill(), [&](HWND dialog) {
        EXPECT_EQ("社員番号", Cell(dialog, kNumberRow, 1));
        EXPECT_EQ(" 8", Cell(dialog, kRemarkRow, 0));
        EXPECT_EQ("数値", Cell(dialog, kNumberRow, 2));
        EXPECT_EQ("文字列", Cell(dialog, kRemarkRow, 2));
        EXPECT_EQ("日付", Cell(dialog, kJoinedRow, 2));
        EXPECT_FALSE(MenuEnabled(dialog, IDM_RA_RELOAD));
        EXPECT_TRUE(MenuEnabled(dialog, IDM_RA_HTML));

        EXPECT_EQ("少なくとも一つの列を指定して下さい　　", CommandAndAnswer(dialog, IDM_RA_TO_COMMAND_AREA));
        EXPECT_TRUE(OpensOn(EditBox(dialog), kNumberRow, kAssistData));
        // Tab passes over every column but データ; Down goes to the next row's データ.
        SetWindowTextA(EditBox(dialog), "5");
        PostMessageA(EditBox(dialog), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(WaitFor([&] { return GridView::EditRow() == kNameRow; }));
        EXPECT_EQ("5", Cell(dialog, kNumberRow, kAssistData));
        SetWindowTextA(EditBox(dialog), "O'Brien ①～");
        PostMessageA(EditBox(dialog), WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_TRUE(OpensOn(EditBox(dialog), kNameRow + 1, kAssistData));
        EXPECT_EQ("O'Brien ①～", Cell(dialog, kNameRow, kAssistData));
        PostMessageA(EditBox(dialog), WM_KEYDOWN, VK_RETURN, 0);

        ASSERT_TRUE(Choose(dialog, kJoinedRow, kAssistOption, "NULL"));
        ASSERT_TRUE(Choose(dialog, kRemarkRow, kAssistOption, "フリー入力"));
        EXPECT_EQ("フリー入力でデータ入力は必須です　　", CommandAndAnswer(dialog, IDM_RA_TO_COMMAND_AREA));
        EXPECT_TRUE(OpensOn(EditBox(dialog), kRemarkRow, kAssistData));
        ASSERT_TRUE(EditCell(dialog, kRemarkRow, kAssistData, "'x' || 'y'"));

        EXPECT_EQ("insert into \"社員\" (\r\n\t\"社員番号\" \r\n\t,\"氏名\" \r\n\t,\"入社日\" \r\n\t,\"備考\" \r\n)\r\n"
                  " values(\r\n\t5\r\n\t,'O''Brien ①～'\r\n\t,NULL\r\n\t,'x' || 'y'\r\n)\r\n",
                  Transfer(dialog));

        SendCommand(dialog, IDM_RA_CLEAR_ALL);
        EXPECT_EQ("", Cell(dialog, kNumberRow, kAssistData));
        EXPECT_EQ("", Cell(dialog, kRemarkRow, kAssistOption));
    });
    VornString width;
    EXPECT_TRUE(settings_->Read("InsertWindowSize", "Width", width) && width.ToInteger() > 0) << width.Text();
}

TEST_F(RowAssistDialogTest, UpdateOfADataRowRunsOnTheDatabaseAndRefreshesTheDataView)
{
    browser_.sqlText = "select * from \"社員\" where \"社員番号\" = 1";
    ASSERT_EQ(1, browser_.FillDataGrid(*data_)) << browser_.ErrorText.Text();
    data_->SelectRow(0, true);
    RowAssistPrefill prefill;
    prefill.dataGrid = data_.get();
    prefill.keyColumns = {"社員番号"};
    prefill.refreshTarget = owner_->Handle();
    const char* remark = "It's ①～㈱髙表ソ";
    Run(RowAssistKind::Update, prefill, [&](HWND dialog) {
        EXPECT_EQ(kOriginalRemark, Cell(dialog, kRemarkRow, kAssistData));
        EXPECT_EQ(kOriginalRemark, Cell(dialog, kRemarkRow, kAssistValue));
        EXPECT_EQ("=", Cell(dialog, kNumberRow, kAssistCondition));
        EXPECT_EQ("1", Cell(dialog, kNumberRow, kAssistValue));
        EXPECT_EQ("", Cell(dialog, kRemarkRow, kAssistCondition));
        EXPECT_EQ("", Cell(dialog, 6, kAssistData)) << "写真 is binary";
        EXPECT_TRUE(MenuEnabled(dialog, IDM_RA_RELOAD));

        SendCommand(dialog, IDM_RA_CLEAR_ALL);
        EXPECT_EQ("", Cell(dialog, kRemarkRow, kAssistData));
        EXPECT_EQ("=", Cell(dialog, kNumberRow, kAssistCondition));
        SendCommand(dialog, IDM_RA_RELOAD);
        EXPECT_EQ(kOriginalRemark, Cell(dialog, kRemarkRow, kAssistData));
        ListView_SetItemState(List(dialog), -1, 0, LVIS_SELECTED);
        for (int row = 0; row < kRemarkRow; ++row)
            ListView_SetItemState(List(dialog), row, LVIS_SELECTED, LVIS_SELECTED);
        SendCommand(dialog, IDM_RA_CLEAR_SELECTED);
        EXPECT_EQ("", Cell(dialog, kNameRow, kAssistData));
        EXPECT_EQ(kOriginalRemark, Cell(dialog, kRemarkRow, kAssistData));

        ASSERT_TRUE(EditCell(dialog, kRemarkRow, kAssistData, remark));
        EXPECT_EQ("update \"社員\" set \r\n\t\"備考\" = 'It''s ①～㈱髙表ソ'\r\n where\r\n \"社員番号\" = 1\r\n",
                  Transfer(dialog));
        EXPECT_EQ("更新しますか?　　", CommandAndAnswer(dialog, IDM_RA_EXECUTE, IDCANCEL));
        EXPECT_EQ("UPDATE 支援", Caption(dialog));
        EXPECT_EQ("更新しますか?　　", CommandAndAnswer(dialog, IDM_RA_EXECUTE));
        EXPECT_TRUE(WaitFor([&] { return Caption(dialog) == "● 更新処理は正常終了しました"; })) << Caption(dialog);
    });
    std::string stored = StoredRemark();
    RestoreRemark();
    EXPECT_EQ(remark, stored);
    EXPECT_EQ("O'Brien さんの後任", StoredRemark());
    RecordingWindow::Pump();
    EXPECT_EQ(1u, owner_->Messages(kDataViewRefresh).size());
    EXPECT_STREQ("select * from \"社員\" where \"社員番号\" = 1", browser_.sqlText.Text());
}

TEST_F(RowAssistDialogTest, UpdateWithoutConditionResetsTheListAndAFailureShowsTheDatabaseError)
{
    // A list of the user's own that lacks the operators needed.
    WriteBytes(kindFolder_ + "\\parts\\Cond.txt", "IN\r\n");
    Run(RowAssistKind::Update, RowAssistPrefill(), [&](HWND dialog) {
        EXPECT_FALSE(MenuEnabled(dialog, IDM_RA_RELOAD));
        ASSERT_TRUE(EditCell(dialog, kSalaryRow, kAssistData, "abc"));
        EXPECT_EQ("少なくとも一つの条件を指定して下さい　　", CommandAndAnswer(dialog, IDM_RA_EXECUTE));
        ASSERT_TRUE(OpensOn(ComboBox(dialog), kNumberRow, kAssistCondition));
        std::vector<std::string> items = ComboItems(ComboBox(dialog));
        ASSERT_EQ(16u, items.size());
        EXPECT_EQ("!=", items[5]);
        ASSERT_TRUE(PickShown(dialog, kNumberRow, kAssistCondition, "="));
        ASSERT_TRUE(EditCell(dialog, kNumberRow, kAssistValue, "-1"));

        std::string error = CommandAndAnswer(dialog, IDM_RA_EXECUTE);
        EXPECT_EQ("更新しますか?　　", error);
        HWND box = WaitForOwnDialog("確認", 10000);
        ASSERT_NE(nullptr, box);
        std::string shown = DialogStaticText(box);
        Press(box, IDOK);
        WaitFor([&] { return !IsWindow(box); });
        EXPECT_FALSE(browser_.ErrorText.IsEmpty());
        EXPECT_EQ(WithoutTrailingBreaks(browser_.ErrorText.Text()), WithoutTrailingBreaks(shown));
        EXPECT_EQ("UPDATE 支援", Caption(dialog));
    });

    GridView conditions(owner_->Handle(), 0, 0, 100, 100);
    for (const char* title : {"№", "条件", "値"})
        conditions.AddColumn(title, 50);
    conditions.SetCellText(conditions.AddRow(), 1, "<>");
    conditions.SetCellText(0, 2, "9");
    RowAssistPrefill prefill;
    prefill.conditions = &conditions;
    Run(RowAssistKind::Update, prefill, [&](HWND dialog) {
        EXPECT_EQ("<>", Cell(dialog, kNumberRow, kAssistCondition));
        EXPECT_EQ("9", Cell(dialog, kNumberRow, kAssistValue));
        EXPECT_EQ("", Cell(dialog, kNumberRow, kAssistData));
        EXPECT_FALSE(MenuEnabled(dialog, IDM_RA_RELOAD));
    });
    RemoveFile(kindFolder_ + "\\parts\\Cond.txt");
}

TEST(RowAssistFromTheMainWindow, DefinitionMenuOpensTheAssistantOverTheShownTable)
{
    MainWindowFixture app;
    app.Start();
    MainWindow& main = app.Main();
    ASSERT_TRUE(main.ConnectWith(DatabaseKind::Postgres, kPostgres));
    GridView& list = main.TableList();
    int employees = -1;
    for (int row = 0; row < list.RowCount() && employees < 0; ++row)
        employees = list.CellText(row, 1).Equals("社員") ? row : -1;
    ASSERT_GE(employees, 0);
    list.SelectRow(employees, true);
    SendMessageA(app.Handle(), kGridClick, reinterpret_cast<WPARAM>(list.ListHandle()), MAKELONG(employees, 1));
    RecordingWindow::Pump();
    ASSERT_TRUE(main.DefinitionShowsTable());
    main.SetExecutionType("");
    HWND commandArea = main.CommandArea();
    SetWindowTextA(commandArea, "");
    DialogDriver driver("INSERT 支援", [&](HWND dialog) {
        WaitFor([&] { return GetForegroundWindow() == dialog; });
        Sleep(300);
        EXPECT_EQ("社員番号", Cell(dialog, kNumberRow, 1));
        EXPECT_TRUE(EditCell(dialog, kNumberRow, kAssistData, "9"));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDM_RA_TO_COMMAND_AREA, 0), 0);
        WaitFor([&] { return GetWindowTextLengthA(commandArea) > 0; });
        Press(dialog, IDCANCEL);
    });
    app.Command(IDM_INSERT_ASSIST);
    EXPECT_TRUE(driver.Finish());
    char text[512] = "";
    GetWindowTextA(commandArea, text, sizeof text);
    EXPECT_STREQ("insert into \"社員\" (\r\n\t\"社員番号\" \r\n)\r\n values(\r\n\t9\r\n)\r\n", text);
    EXPECT_STREQ("SQL", main.ExecutionType().Text());
    EXPECT_NE("<missing>", app.Setting("InsertWindowSize", "Left"));
}
