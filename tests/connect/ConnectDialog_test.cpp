// The connection dialogs driven as a user would, from a thread of their own, and the
// connections they choose read by the schema browser on the sample databases.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"
#include "common/GridView.h"
#include "common/ProfileStore.h"
#include "connect/ConnectDialog.h"
#include "resources/ConnectDialogIds.h"
#include "schema/SchemaBrowser.h"
#include "transfer/GridPageOutput.h"

namespace {

const char kApplicationTitle[] = "Kestrova";
const char kOwnerTitle[] = "テスト";
// The static control that holds a message box's text.
const int kMessageBoxText = 0xFFFF;

std::string FieldText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Type(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

bool IsChecked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND HistoryList(HWND dialog) { return GetDlgItem(dialog, IDC_CONNECT_HISTORY); }

int HistoryRows(HWND dialog) { return static_cast<int>(SendMessageA(HistoryList(dialog), LVM_GETITEMCOUNT, 0, 0)); }

int HistoryColumns(HWND dialog)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(HistoryList(dialog), LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

std::string HistoryCell(HWND dialog, int row, int column)
{
    char text[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(HistoryList(dialog), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void DoubleClickHistoryRow(HWND dialog, int row)
{
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    SendMessageA(HistoryList(dialog), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM(rect.left + 5, (rect.top + rect.bottom) / 2);
    PostMessageA(HistoryList(dialog), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(HistoryList(dialog), WM_LBUTTONUP, 0, point);
}

void SelectHistoryRow(HWND dialog, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(HistoryList(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

// Waits up to two seconds for the condition.
template <typename Condition>
bool WaitFor(Condition condition)
{
    for (int waited = 0; waited < 2000; waited += 50) {
        if (condition())
            return true;
        Sleep(50);
    }
    return condition();
}

// The text of the "確認" box the dialog shows, after closing it with OK.
std::string AnswerMessageBox()
{
    HWND box = WaitForOwnDialog("確認", 10000);
    if (!box)
        return "<no message box>";
    char text[512] = "";
    GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
    Press(box, IDOK);
    WaitFor([box] { return !IsWindow(box); });
    return text;
}

HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

std::string WithoutTrailingIdeographicSpaces(std::string text)
{
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "　") == 0)
        text.erase(text.size() - 2);
    return text;
}

class ConnectDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // One settings file per test: the platform caches a profile file it has read.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        path_ = ScratchPath((name + ".ini").c_str());
        RemoveFile(path_);
        settings_ = std::make_unique<ProfileStore>(path_.c_str());
        owner_ = std::make_unique<RecordingWindow>(kOwnerTitle, false);
        ConnectDialogServices services;
        services.startProgram = [this](const char* commandLine) { started_.push_back(commandLine); };
        services.chooseFile = [this](HWND, DatabaseKind, bool createNew, const char* initialFolder, VornString& path) {
            fileRequests_.push_back(std::string(createNew ? "new:" : "open:") + initialFolder);
            path = chosenFile_.c_str();
            return !chosenFile_.empty();
        };
        SetConnectDialogServices(services);
    }
    void TearDown() override
    {
        SetConnectDialogServices(ConnectDialogServices());
        owner_.reset();
        RemoveFile(path_);
    }

    void WriteIni(const std::string& text) { WriteBytes(path_, text); }
    std::string IniBytes() const { return ReadBytes(path_); }
    std::string Value(const char* section, const char* key) const
    {
        VornString value;
        settings_->Read(section, key, value);
        return value.Text();
    }
    std::string OwnerTitle() const
    {
        char title[512] = "";
        GetWindowTextA(owner_->Handle(), title, sizeof title);
        return title;
    }

    int Run(DatabaseKind kind) { return RunConnectDialog(owner_->Handle(), kind, *settings_, kApplicationTitle, browser_, choice_); }

    // Fills a server dialog and presses OK.
    static void TypeAndConnect(HWND dialog, const char* server, const char* database, const char* user,
                               const char* password)
    {
        Type(dialog, IDC_CONNECT_SERVER, server);
        Type(dialog, IDC_CONNECT_DATABASE, database);
        Type(dialog, IDC_CONNECT_USER, user);
        Type(dialog, IDC_CONNECT_PASSWORD, password);
        Press(dialog, IDOK);
    }

    std::vector<std::string> TableNames(GridView& list)
    {
        std::vector<std::string> names;
        for (int row = 0; row < list.RowCount(); ++row)
            names.push_back(list.CellText(row, 1).Text());
        return names;
    }

    std::string path_;
    std::unique_ptr<ProfileStore> settings_;
    std::unique_ptr<RecordingWindow> owner_;
    SchemaBrowser browser_;
    ConnectChoice choice_;
    std::vector<std::string> started_;
    std::vector<std::string> fileRequests_;
    std::string chosenFile_;
};

bool Contains(const std::vector<std::string>& names, const char* name)
{
    for (const std::string& n : names)
        if (n == name)
            return true;
    return false;
}

}  // namespace

TEST_F(ConnectDialogTest, PostgresOpensWithLastConnectAndConnectsWithWhatIsTyped)
{
    WriteIni("[Postgres]\r\nLastConnect=OldDsn,olddb,olduser,oldpass\r\nNoSystemCatalog=1\r\n"
             "Cn1=OldDsn,olddb,olduser,oldpass\r\n");
    std::vector<std::string> fields;
    bool catalogChecked = false;
    int passwordChar = 0;
    int rows = 0;
    RECT place = {};
    DialogDriver driver("PostgreSQL の接続", [&](HWND dialog) {
        for (int id : {IDC_CONNECT_SERVER, IDC_CONNECT_DATABASE, IDC_CONNECT_USER, IDC_CONNECT_PASSWORD})
            fields.push_back(FieldText(dialog, id));
        catalogChecked = IsChecked(dialog, IDC_CONNECT_NO_SYSTEM_CATALOG);
        passwordChar = static_cast<int>(SendDlgItemMessageA(dialog, IDC_CONNECT_PASSWORD, EM_GETPASSWORDCHAR, 0, 0));
        rows = HistoryRows(dialog);
        GetWindowRect(dialog, &place);
        TypeAndConnect(dialog, "KestrovaPg", "sample", "kestrova", "kestrova");
    });
    EXPECT_EQ(1, Run(DatabaseKind::Postgres));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ((std::vector<std::string>{"OldDsn", "olddb", "olduser", "oldpass"}), fields);
    EXPECT_TRUE(catalogChecked);
    EXPECT_EQ('*', passwordChar);
    EXPECT_EQ(1, rows);
    EXPECT_EQ(100, place.top);
    EXPECT_LE(std::abs((place.left + place.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);

    EXPECT_STREQ("KestrovaPg,sample,kestrova,kestrova", choice_.argument);
    EXPECT_STREQ("", choice_.otherDsn);
    EXPECT_EQ("Kestrova -- [Postgres] -- KestrovaPg,sample,kestrova,kestrova", OwnerTitle());
    EXPECT_TRUE(browser_.record.noSystemCatalog);
    EXPECT_EQ("KestrovaPg,sample,kestrova,kestrova", Value("Postgres", "LastConnect"));
    EXPECT_EQ("1", Value("Postgres", "NoSystemCatalog"));
    EXPECT_EQ("OldDsn,olddb,olduser,oldpass", Value("Postgres", "Cn1"));
    EXPECT_EQ("KestrovaPg,sample,kestrova,kestrova", Value("Postgres", "Cn2"));

    // What the main window does next: the chosen connection lists the sample tables.
    ASSERT_TRUE(browser_.BuildConnection(DatabaseKind::Postgres, choice_.argument));
    EXPECT_TRUE(browser_.record.noSystemCatalog) << "building the connection keeps the flag";
    GridView list(owner_->Handle(), 0, 0, 600, 300);
    ASSERT_GT(browser_.LoadTableList(list), 0) << browser_.failureText.Text();
    std::vector<std::string> names = TableNames(list);
    EXPECT_TRUE(Contains(names, "社員"));
    EXPECT_TRUE(Contains(names, "部署"));
}

TEST_F(ConnectDialogTest, MySqlDialogChoosesTheSampleMariaDb)
{
    DialogDriver driver("MySQL の接続", [&](HWND dialog) {
        TypeAndConnect(dialog, " KestrovaMy　", "sample", "kestrova", "kestrova");
    });
    EXPECT_EQ(1, Run(DatabaseKind::MySql));
    ASSERT_TRUE(driver.Finish());
    EXPECT_STREQ("KestrovaMy,sample,kestrova,kestrova", choice_.argument) << "the DSN is trimmed";
    EXPECT_EQ("Kestrova -- [MySQL] -- KestrovaMy,sample,kestrova,kestrova", OwnerTitle());
    EXPECT_EQ("KestrovaMy,sample,kestrova,kestrova", Value("MySQL", "Cn1"));

    ASSERT_TRUE(browser_.BuildConnection(DatabaseKind::MySql, choice_.argument));
    GridView list(owner_->Handle(), 0, 0, 600, 300);
    ASSERT_GT(browser_.LoadTableList(list), 0) << browser_.failureText.Text();
    std::vector<std::string> names = TableNames(list);
    EXPECT_TRUE(Contains(names, "社員"));
    EXPECT_TRUE(Contains(names, "部署"));
}

TEST_F(ConnectDialogTest, MissingServerOrUserKeepsTheDialogOpenWithTheFieldFocused)
{
    struct Case {
        DatabaseKind kind;
        const char* title;
        const char* server;
        const char* user;
        const char* message;
        int focused;
    } cases[] = {
        {DatabaseKind::Postgres, "PostgreSQL の接続", "", "kestrova", "DSN を入力して下さい", IDC_CONNECT_SERVER},
        {DatabaseKind::Oracle, "Oracle の接続", "　 ", "scott", "DSN を入力して下さい", IDC_CONNECT_SERVER},
        {DatabaseKind::SqlServer, "SQLServer の接続", "", "sa", "サーバーを入力して下さい", IDC_CONNECT_SERVER},
        {DatabaseKind::SqlServer, "SQLServer の接続", "srv", "　", "ユーザーを入力して下さい", IDC_CONNECT_USER},
    };
    WriteIni("[Postgres]\r\nCn1=KestrovaPg,sample,kestrova,kestrova\r\n");
    std::string before = IniBytes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::string message;
        bool stillOpen = false;
        bool focused = false;
        DialogDriver driver(c.title, [&](HWND dialog) {
            Type(dialog, IDC_CONNECT_SERVER, c.server);
            Type(dialog, IDC_CONNECT_USER, c.user);
            Press(dialog, IDOK);
            message = AnswerMessageBox();
            stillOpen = IsWindowVisible(dialog) != FALSE;
            focused = WaitFor([&] { return FocusOf(dialog) == GetDlgItem(dialog, c.focused); });
            Press(dialog, IDCANCEL);
        });
        EXPECT_EQ(2, Run(c.kind));
        ASSERT_TRUE(driver.Finish());
        EXPECT_EQ(c.message, WithoutTrailingIdeographicSpaces(message));
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(focused);
    }
    EXPECT_EQ(before, IniBytes());
    EXPECT_EQ(kOwnerTitle, OwnerTitle());
}

TEST_F(ConnectDialogTest, ExcelOtherDsnIsRequiredAndLeavesHistoryAndTitleAlone)
{
    WriteIni("[EXCEL]\r\nLastConnect=C:\\book.xls\r\nNoHdr=0\r\nHide=0\r\nCn1=C:\\book.xls\r\n");
    std::string before = IniBytes();
    std::string message;
    std::string path;
    DialogDriver driver("Excel の接続", [&](HWND dialog) {
        path = FieldText(dialog, IDC_CONNECT_PATH);
        Type(dialog, IDC_CONNECT_OTHER_DSN, "　 ");
        Press(dialog, IDC_CONNECT_OTHER_DSN_CONNECT);
        message = AnswerMessageBox();
        Type(dialog, IDC_CONNECT_OTHER_DSN, " KestrovaPg　");
        Press(dialog, IDC_CONNECT_OTHER_DSN_CONNECT);
    });
    EXPECT_EQ(1, Run(DatabaseKind::Excel));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ("C:\\book.xls", path);
    EXPECT_EQ("DSNを指定して下さい", WithoutTrailingIdeographicSpaces(message));
    EXPECT_STREQ("KestrovaPg", choice_.otherDsn);
    EXPECT_STREQ("", choice_.argument);
    EXPECT_EQ(before, IniBytes());
    EXPECT_EQ(kOwnerTitle, OwnerTitle());
}

TEST_F(ConnectDialogTest, DoubleClickOnServerHistoryFillsTheFieldsWithTheHiddenPassword)
{
    WriteIni("[MySQL]\r\nCn1=KestrovaMy,sample,kestrova,kestrova\r\nCn2=dsn2,db2,user2,秘密,2\r\n");
    std::string before = IniBytes();
    std::vector<std::string> fields;
    std::vector<std::string> cells;
    int columns = 0;
    DialogDriver driver("MySQL の接続", [&](HWND dialog) {
        columns = HistoryColumns(dialog);
        for (int column = 0; column < columns; ++column)
            cells.push_back(HistoryCell(dialog, 1, column));
        DoubleClickHistoryRow(dialog, 1);
        WaitFor([&] { return FieldText(dialog, IDC_CONNECT_SERVER) == "dsn2"; });
        for (int id : {IDC_CONNECT_SERVER, IDC_CONNECT_DATABASE, IDC_CONNECT_USER, IDC_CONNECT_PASSWORD})
            fields.push_back(FieldText(dialog, id));
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(2, Run(DatabaseKind::MySql));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(3, columns);
    EXPECT_EQ((std::vector<std::string>{"dsn2", "db2", "user2"}), cells);
    EXPECT_EQ((std::vector<std::string>{"dsn2", "db2", "user2", "秘密,2"}), fields);
    EXPECT_EQ(before, IniBytes()) << "the double-click only fills the fields";
    EXPECT_STREQ("", choice_.argument);
    EXPECT_EQ(kOwnerTitle, OwnerTitle());
}

TEST_F(ConnectDialogTest, DoubleClickOnFileHistoryConnectsAtOnceAndMdbTakesTheJetPassword)
{
    WriteIni("[MDB]\r\nLastConnect=C:\\a.mdb\r\nCn1=C:\\a.mdb\r\nCn2=C:\\データ\\表.mdb\r\n");
    std::string fileName;
    DialogDriver driver("MDB の接続", [&](HWND dialog) {
        fileName = HistoryCell(dialog, 1, 1);
        Type(dialog, IDC_CONNECT_JET_PASSWORD, "jet秘密");
        DoubleClickHistoryRow(dialog, 1);
    });
    EXPECT_EQ(1, Run(DatabaseKind::Mdb));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ("表.mdb", fileName);
    EXPECT_STREQ("C:\\データ\\表.mdb", choice_.argument);
    EXPECT_STREQ("jet秘密", browser_.record.jetPassword);
    EXPECT_EQ("Kestrova -- [MDB] -- C:\\データ\\表.mdb", OwnerTitle());
    EXPECT_EQ("C:\\データ\\表.mdb", Value("MDB", "LastConnect"));
    EXPECT_EQ("C:\\a.mdb", Value("MDB", "Cn1"));
    EXPECT_EQ("C:\\データ\\表.mdb", Value("MDB", "Cn2"));
    EXPECT_EQ(std::string::npos, IniBytes().find("jet秘密")) << "the Jet password is never stored";
}

TEST_F(ConnectDialogTest, CancelReturnsTwoAndChangesNothing)
{
    WriteIni("[Postgres]\r\nLastConnect=KestrovaPg,sample,kestrova,kestrova\r\nNoSystemCatalog=0\r\n");
    std::string before = IniBytes();
    browser_.record.noSystemCatalog = true;
    DialogDriver driver("PostgreSQL の接続", [&](HWND dialog) {
        Type(dialog, IDC_CONNECT_SERVER, "Other");
        SendDlgItemMessageA(dialog, IDC_CONNECT_NO_SYSTEM_CATALOG, BM_SETCHECK, BST_CHECKED, 0);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(2, Run(DatabaseKind::Postgres));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(before, IniBytes());
    EXPECT_EQ(kOwnerTitle, OwnerTitle());
    EXPECT_TRUE(browser_.record.noSystemCatalog);
    EXPECT_STREQ("", choice_.argument);
}

TEST_F(ConnectDialogTest, DeletingRowsSavesAtOnceAndBringsBackLastConnect)
{
    WriteIni("[SQLServer]\r\nLastConnect=srv2,db,sa,pw2\r\nNoSystemTable=1\r\nNoSystemView=0\r\n"
             "Cn1=srv1,db,sa,pw1\r\nCn2=srv2,db,sa,pw2\r\nCn3=srv3,db,sa,pw3\r\n");
    int rowsLeft = -1;
    std::string left;
    static std::string opened;
    opened.clear();
    GridPageOpener previousOpener = SetGridPageOpener([](const char* path) { opened = path; });
    const std::string page = ScratchPath("接続履歴.htm");
    // A page of an earlier run would stop the save dialog at its overwrite question.
    RemoveFile(page);
    DialogDriver driver("SQLServer の接続", [&](HWND dialog) {
        SelectHistoryRow(dialog, 0);
        SelectHistoryRow(dialog, 1);
        PostMessageA(dialog, WM_COMMAND, IDM_CONNECT_DELETE_ROWS, 0);
        WaitFor([&] { return HistoryRows(dialog) == 1; });
        rowsLeft = HistoryRows(dialog);
        left = HistoryCell(dialog, 0, 0);
        // The list as an HTML page: the rows shown, never the hidden passwords.
        PostMessageA(dialog, WM_COMMAND, IDM_CONNECT_HISTORY_HTML, 0);
        HWND save = WaitForOwnDialog("保存ファイルのパスの取得", 20000);
        if (save) {
            HWND field = GetDlgItem(save, 0x47c);
            SetWindowTextA(field ? field : GetDlgItem(save, 0x480), page.c_str());
            Press(save, IDOK);
            WaitFor([&] { return !opened.empty(); });
        }
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(2, Run(DatabaseKind::SqlServer));
    SetGridPageOpener(previousOpener);
    EXPECT_EQ(page, opened);
    const std::string html = ReadBytes(page);
    EXPECT_NE(std::string::npos, html.find("<TR class=\"VornTr\"><TD class=\"VornTd\" bgcolor=\"#FFFFFF\" nowrap>srv3</TD>"))
        << html;
    EXPECT_EQ(std::string::npos, html.find("pw3"));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(1, rowsLeft);
    EXPECT_EQ("srv3", left);
    EXPECT_EQ("srv2,db,sa,pw2", Value("SQLServer", "LastConnect"));
    EXPECT_EQ("1", Value("SQLServer", "NoSystemTable"));
    EXPECT_EQ("srv3,db,sa,pw3", Value("SQLServer", "Cn1"));
    EXPECT_EQ("srv2,db,sa,pw2", Value("SQLServer", "Cn2"));
    EXPECT_EQ("", Value("SQLServer", "Cn3"));

    // The list's menu offers the deletion and the HTML view.
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONNECT_HISTORY_MENU));
    ASSERT_NE(nullptr, menu);
    HMENU popup = GetSubMenu(menu, 0);
    EXPECT_FALSE(GetMenuState(popup, IDM_CONNECT_DELETE_ROWS, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(popup, IDM_CONNECT_HISTORY_HTML, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
}

TEST_F(ConnectDialogTest, OdbcAdministratorStartsAndTheDialogStays)
{
    bool stillOpen = false;
    DialogDriver driver("Oracle の接続", [&](HWND dialog) {
        Press(dialog, IDC_CONNECT_ODBC_ADMINISTRATOR);
        Sleep(300);
        stillOpen = IsWindowVisible(dialog) != FALSE;
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(2, Run(DatabaseKind::Oracle));
    ASSERT_TRUE(driver.Finish());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ((std::vector<std::string>{"RunDLL32.EXE shell32.dll,Control_RunDLL odbccp32.cpl"}), started_);
}

TEST_F(ConnectDialogTest, ExcelBrowseConnectsTheChosenWorkbookWithTheTickedFlags)
{
    WriteIni("[SaveDir]\r\nExcel=C:\\start\r\nExcelNew=C:\\fresh\r\n"
             "[EXCEL]\r\nLastConnect=C:\\old.xls\r\nCn1=C:\\old.xls\r\n");
    chosenFile_ = "C:\\books\\売上.xls";
    DialogDriver driver("Excel の接続", [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_CONNECT_NO_HEADER, BM_SETCHECK, BST_CHECKED, 0);
        Press(dialog, IDC_CONNECT_BROWSE);
    });
    EXPECT_EQ(1, Run(DatabaseKind::Excel));
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ((std::vector<std::string>{"open:C:\\start"}), fileRequests_);
    EXPECT_STREQ("C:\\books\\売上.xls", choice_.argument);
    EXPECT_EQ("C:\\books", Value("SaveDir", "Excel"));
    EXPECT_EQ("C:\\books\\売上.xls", Value("EXCEL", "LastConnect"));
    EXPECT_EQ("C:\\old.xls", Value("EXCEL", "Cn1"));
    EXPECT_EQ("C:\\books\\売上.xls", Value("EXCEL", "Cn2"));
    EXPECT_EQ("1", Value("EXCEL", "NoHdr"));
    EXPECT_EQ("0", Value("EXCEL", "Hide"));
    EXPECT_TRUE(browser_.record.noHeader);
    EXPECT_FALSE(browser_.record.hideSheets);
    EXPECT_EQ("Kestrova -- [EXCEL] -- C:\\books\\売上.xls", OwnerTitle());

    // "新規" starts in its own folder; a cancelled choice leaves the dialog open.
    fileRequests_.clear();
    chosenFile_.clear();
    DialogDriver newBook("Excel の接続", [&](HWND dialog) {
        Press(dialog, IDC_CONNECT_NEW);
        Sleep(300);
        Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(2, Run(DatabaseKind::Excel));
    ASSERT_TRUE(newBook.Finish());
    EXPECT_EQ((std::vector<std::string>{"new:C:\\fresh"}), fileRequests_);
}

TEST_F(ConnectDialogTest, LastConnectButtonUsesThePathFieldAndIgnoresAnEmptyOne)
{
    bool stillOpen = false;
    DialogDriver driver("Excel の接続", [&](HWND dialog) {
        Press(dialog, IDC_CONNECT_LAST);
        Sleep(300);
        stillOpen = IsWindowVisible(dialog) != FALSE;
        Type(dialog, IDC_CONNECT_PATH, "C:\\typed.xls");
        Press(dialog, IDC_CONNECT_LAST);
    });
    EXPECT_EQ(1, Run(DatabaseKind::Excel));
    ASSERT_TRUE(driver.Finish());
    EXPECT_TRUE(stillOpen);
    EXPECT_STREQ("C:\\typed.xls", choice_.argument);
    EXPECT_EQ("C:\\typed.xls", Value("EXCEL", "Cn1"));
    EXPECT_EQ("C:\\typed.xls", Value("EXCEL", "LastConnect"));
}
