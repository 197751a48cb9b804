// The list box, tab control, tool tip, timer, file dialog and folder chooser wrappers on
// the real system controls and dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "FrameworkTestIds.h"
#include "OrvLib/framework/CFileDialog.h"
#include "OrvLib/framework/CommonControls.h"
#include "OrvLib/framework/DataExchange.h"
#include "WindowHarness.h"

namespace {

class Lists : public CDialog {
public:
    Lists() : CDialog(IDD_LISTS) {}
    CListBox list;
    CTabCtrl tabs;
    CToolTipCtrl tips;
    int selections = 0;
    int tabChanges = 0;
    int tipRequests = 0;
    HWND tipTool = nullptr;
    int ticks = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_LIST, list);
        DDX_Control(dx, IDC_TABS, tabs);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (const char* name : {"Leaves", "Stars", "Bubbles"})
            list.SetItemData(list.AddString(name), name[0]);
        for (const char* name : {"Image", "Settings", "Options"}) tabs.InsertItem(tabs.GetItemCount(), name);
        tips.Create(this);
        tips.AddChildTools(hWnd);
        SetTimer(7, 10);
        return TRUE;
    }
    void OnSelection() { ++selections; }
    void OnTab(NMHDR*, LRESULT*) { ++tabChanges; }
    BOOL OnTip(UINT, NMHDR* header, LRESULT*) {
        ++tipRequests;
        tipTool = reinterpret_cast<HWND>(header->idFrom);
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        lstrcpynA(info->szText, "Categories of the library", sizeof info->szText);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) {
        if (id == 7 && ++ticks == 3) KillTimer(7);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Lists, CDialog)
ON_LBN_SELCHANGE(IDC_LIST, &Lists::OnSelection)
ON_NOTIFY(TCN_SELCHANGE, IDC_TABS, &Lists::OnTab)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, ~UINT_PTR(0), &Lists::OnTip)
ON_WM_TIMER(&Lists::OnTimer)
END_MESSAGE_MAP()

TEST(FrameworkWrappers, ListBoxTabsToolTipsAndTimers) {
    Lists dialog;
    ASSERT_TRUE(dialog.Create(IDD_LISTS, HWND(nullptr)));
    dialog.SetWindowPos(nullptr, 500, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Harness::Pump(50);
    EXPECT_EQ(dialog.list.GetCount(), 3);
    EXPECT_EQ(dialog.list.GetText(1), "Stars");
    EXPECT_EQ(dialog.list.GetItemData(2), 'B');
    EXPECT_EQ(dialog.list.GetText(5), "");

    const RECT second = dialog.list.GetItemRect(1);
    EXPECT_EQ(dialog.list.ItemFromPoint(POINT{second.left + 2, second.top + 2}), 1);
    Harness::Click(dialog.list.hWnd, second.left + 4, second.top + 3);
    EXPECT_EQ(dialog.list.GetCurSel(), 1);
    EXPECT_EQ(dialog.selections, 1);

    const RECT third = dialog.tabs.GetItemRect(2);
    Harness::Click(dialog.tabs.hWnd, (third.left + third.right) / 2, (third.top + third.bottom) / 2);
    EXPECT_EQ(dialog.tabs.GetCurSel(), 2);
    EXPECT_EQ(dialog.tabChanges, 1);

    EXPECT_EQ(dialog.tips.GetToolCount(), 2);
    Harness::MoveTo(dialog.list.hWnd, 30, 60);
    Harness::MoveTo(dialog.list.hWnd, 32, 61);
    EXPECT_TRUE(Harness::PumpUntil([&] { return dialog.tipRequests > 0; }, 3000));
    EXPECT_EQ(dialog.tipTool, dialog.list.hWnd);
    Harness::Pump(100);
    EXPECT_TRUE(Harness::SaveScreenshot(dialog.hWnd, "framework-lists"));
    EXPECT_TRUE(Harness::PumpUntil([&] { return dialog.ticks == 3; }));
    Harness::Pump(50);
    EXPECT_EQ(dialog.ticks, 3);
    Harness::MoveToScreen({0, 0});
}

// The system's open dialog with our child template appended.
class ImageChooser : public CFileDialog {
public:
    explicit ImageChooser(const char* initialFile)
        : CFileDialog(true, nullptr, initialFile, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                      "All Images (*.bmp;*.png)|*.bmp;*.png|All File (*.*)|*.*||") {
        SetChildTemplate(IDD_FILE_CHILD);
        ofn.lpstrTitle = "Choose an image";
    }
    CWnd preview;
    std::atomic<int> initDone{0};
    bool failInInit = false;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_PREVIEW, preview); }
    BOOL OnInitDialog() override {
        if (failInInit) throw std::runtime_error("child template failed");
        return CFileDialog::OnInitDialog();
    }
    void OnInitDone() override { ++initDone; }
};

std::string TestFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "orv-framework-files";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"\\leaf.png", "\\star.bmp"}) {
        FILE* f = std::fopen((folder + name).c_str(), "wb");
        if (f != nullptr) std::fclose(f);
    }
    return folder;
}

HWND FindChooser() { return FindWindowA("#32770", "Choose an image"); }

TEST(FrameworkWrappers, FileDialogWithOurChildTemplate) {
    const std::string folder = TestFolder();
    ImageChooser chooser((folder + "\\leaf.png").c_str());
    bool previewBound = false;
    bool saved = false;
    std::string underSelection;
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow(FindChooser);
            if (dialog == nullptr) return;
            Sleep(300);
            previewBound = chooser.preview.hWnd != nullptr && IsChild(dialog, chooser.preview.hWnd);
            underSelection = chooser.GetCurrentPath();
            saved = Harness::SaveScreenshot(dialog, "framework-file-dialog");
            SetDlgItemTextA(dialog, cmb13, (folder + "\\star.bmp").c_str());
            SetDlgItemTextA(dialog, edt1, (folder + "\\star.bmp").c_str());
            Harness::Click(GetDlgItem(dialog, IDOK), 6, 6);
        });
        EXPECT_EQ(chooser.DoModal(), IDOK);
    }
    EXPECT_TRUE(previewBound);
    EXPECT_GE(chooser.initDone, 1);
    EXPECT_NE(underSelection.find("leaf.png"), std::string::npos) << underSelection;
    EXPECT_EQ(chooser.GetFileName(), "star.bmp");
    EXPECT_EQ(chooser.GetPathName(), folder + "\\star.bmp");
    EXPECT_TRUE(saved);
}

TEST(FrameworkWrappers, FailureInsideTheFileDialogIsRaisedAfterIt) {
    ImageChooser chooser(nullptr);
    chooser.failInInit = true;
    EXPECT_THROW(chooser.DoModal(), std::runtime_error);
    EXPECT_EQ(FindChooser(), nullptr);
}

TEST(FrameworkWrappers, FolderChooserOpensOnTheGivenFolder) {
    std::string folder = TestFolder();
    const std::string start = folder;
    bool saved = false;
    {
        Harness::InputThread script([&] {
            HWND browser = Harness::WaitForWindow([] { return FindWindowA("#32770", nullptr); });
            if (browser == nullptr) return;
            Sleep(500);
            saved = Harness::SaveScreenshot(browser, "framework-folder-chooser");
            Harness::Click(GetDlgItem(browser, IDOK), 6, 6);
        });
        EXPECT_TRUE(OrvBrowseForFolder(nullptr, "Choose a directory", folder));
    }
    EXPECT_EQ(lstrcmpiA(folder.c_str(), start.c_str()), 0) << folder;
    EXPECT_TRUE(saved);
}

}  // namespace
