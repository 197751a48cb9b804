// The window framework on real windows: binding, message maps, reflection, data exchange,
// modal and child dialogs from our own templates, the failure firewall and class lifetime.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "FrameworkTestIds.h"
#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/DataExchange.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/Module.h"
#include "OrvLib/framework/WindowFailure.h"
#include "WindowHarness.h"

namespace {

const COLORREF kLabelBack = RGB(40, 120, 200);
const COLORREF kFormBack = RGB(236, 226, 200);

// Handles its own click by reflection, so its parent never sees it.
class ReflectedButton : public CWnd {
public:
    std::atomic<int> clicks{0};

protected:
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ReflectedButton, CWnd)
ON_CONTROL_REFLECT(BN_CLICKED, &ReflectedButton::OnClicked)
END_MESSAGE_MAP()

// Chooses its own colours when its parent asks for them.
class ColouredLabel : public CWnd {
public:
    ColouredLabel() : brush(CreateSolidBrush(kLabelBack)) {}

protected:
    HBRUSH OnCtlColor(HDC dc) {
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, kLabelBack);
        return brush;
    }
    DECLARE_MESSAGE_MAP()

private:
    OrvBrush brush;
};
BEGIN_MESSAGE_MAP(ColouredLabel, CWnd)
ON_WM_CTLCOLOR_REFLECT(WM_CTLCOLORSTATIC, &ColouredLabel::OnCtlColor)
END_MESSAGE_MAP()

class Page : public CDialog {
public:
    Page() : CDialog(IDD_PAGE) {}
    std::atomic<int> clicks{0};

protected:
    void OnPageButton() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Page, CDialog)
ON_BN_CLICKED(IDC_PAGE_BUTTON, &Page::OnPageButton)
END_MESSAGE_MAP()

// The base's map is searched after the derived one.
class FormBase : public CDialog {
public:
    using CDialog::CDialog;
    std::atomic<int> baseApplies{0};
    std::atomic<int> nameChanges{0};

protected:
    void OnBaseApply() { ++baseApplies; }
    void OnNameChange() { ++nameChanges; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FormBase, CDialog)
ON_BN_CLICKED(IDC_APPLY, &FormBase::OnBaseApply)
ON_EN_CHANGE(IDC_NAME, &FormBase::OnNameChange)
END_MESSAGE_MAP()

class Form : public FormBase {
public:
    explicit Form(CWnd* initialParent = nullptr) : FormBase(IDD_FORM, initialParent) {}

    std::string name = "first";
    int count = 7;
    int option = 1;
    std::atomic<int> applies{0};
    std::atomic<int> parentSawReflected{0};
    std::atomic<int> runtimeClicks{0};
    ReflectedButton reflected;
    ColouredLabel label;
    Page page;
    CWnd runtime;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_NAME, name);
        DDX_Text(dx, IDC_COUNT, count);
        DDX_Check(dx, IDC_OPTION, option);
        DDX_Control(dx, IDC_REFLECTED, reflected);
        DDX_Control(dx, IDC_LABEL, label);
    }
    BOOL OnInitDialog() override {
        FormBase::OnInitDialog();
        RECT place{};
        ::GetWindowRect(GetDlgItem(IDC_PAGE_AREA), &place);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&place), 2);
        if (page.Create(IDD_PAGE, this)) {
            page.MoveWindow(place);
            page.ShowWindow(SW_SHOW);
        }
        runtime.CreateControl("BUTTON", "Run time", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                              RECT{12, 212, 110, 236}, hWnd, IDC_RUNTIME);
        runtime.SetFont(GetFont());
        return TRUE;
    }
    void OnApply() { ++applies; }
    void OnFail() { throw std::runtime_error("handler failed"); }
    void OnReflected() { ++parentSawReflected; }
    void OnRuntime() { ++runtimeClicks; }
    // The dialog and its labels share its face; edit boxes keep the system's colours.
    HBRUSH OnCtlColor(HDC dc, HWND, UINT message) {
        if (message == WM_CTLCOLOREDIT) return nullptr;
        SetBkColor(dc, kFormBack);
        return face;
    }
    DECLARE_MESSAGE_MAP()

private:
    OrvBrush face{CreateSolidBrush(kFormBack)};
};
BEGIN_MESSAGE_MAP(Form, FormBase)
ON_BN_CLICKED(IDC_APPLY, &Form::OnApply)
ON_BN_CLICKED(IDC_FAIL, &Form::OnFail)
ON_BN_CLICKED(IDC_REFLECTED, &Form::OnReflected)
ON_BN_CLICKED(IDC_RUNTIME, &Form::OnRuntime)
ON_WM_CTLCOLOR(&Form::OnCtlColor)
END_MESSAGE_MAP()

HWND FindForm() { return FindWindowA("#32770", "Framework form"); }

// A plain top-level window of our own class, standing in for the host's main window.
class HostWindow : public CWnd {
public:
    HostWindow() {
        Create("FrameworkTestHost", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 500, 420},
               HWND(nullptr), 0);
    }
};

void ClickItem(HWND dialog, int id) { Harness::Click(GetDlgItem(dialog, id), 6, 6); }

TEST(FrameworkDialog, RunsModallyFromOurTemplateOwnedByTheHostWindow) {
    HostWindow host;
    ASSERT_NE(host.hWnd, nullptr);
    std::optional<OrvHostWindowScope> hostCall(std::in_place, host.hWnd);
    Form form;
    HWND owner = nullptr;
    bool hostDisabled = false;
    COLORREF labelPixel = 0;
    COLORREF facePixel = 0;
    COLORREF editPixel = 0;
    bool saved = false;
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow(FindForm);
            if (dialog == nullptr) return;
            owner = GetWindow(dialog, GW_OWNER);
            hostDisabled = !IsWindowEnabled(host.hWnd);
            SetDlgItemTextA(dialog, IDC_NAME, "second");
            SetDlgItemTextA(dialog, IDC_COUNT, " -12 ");
            ClickItem(dialog, IDC_OPTION);
            ClickItem(dialog, IDC_APPLY);
            ClickItem(dialog, IDC_REFLECTED);
            ClickItem(dialog, IDC_RUNTIME);
            Harness::Click(GetDlgItem(FindWindowExA(dialog, nullptr, "#32770", nullptr), IDC_PAGE_BUTTON), 6,
                           6);
            labelPixel = Harness::ClientPixel(GetDlgItem(dialog, IDC_LABEL), 1, 1);
            facePixel = Harness::ClientPixel(dialog, 3, 3);
            editPixel = Harness::ClientPixel(GetDlgItem(dialog, IDC_NAME), 3, 3);
            saved = Harness::SaveScreenshot(dialog, "framework-form");
            ClickItem(dialog, IDOK);
        });
        EXPECT_EQ(form.DoModal(), IDOK);
    }
    hostCall.reset();
    EXPECT_EQ(OrvChooseOwner(), GetActiveWindow());
    EXPECT_EQ(owner, host.hWnd);
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_EQ(form.hWnd, nullptr);
    // Data exchange took the controls' values back.
    EXPECT_EQ(form.name, "second");
    EXPECT_EQ(form.count, -12);
    EXPECT_EQ(form.option, 0);
    // The derived map answered Apply; the base's entry for it never ran, its other one did.
    EXPECT_EQ(form.applies, 1);
    EXPECT_EQ(form.baseApplies, 0);
    EXPECT_GE(form.nameChanges, 1);
    // The reflected click stayed with the child.
    EXPECT_EQ(form.reflected.clicks, 1);
    EXPECT_EQ(form.parentSawReflected, 0);
    EXPECT_EQ(form.runtimeClicks, 1);
    EXPECT_EQ(form.page.clicks, 1);
    EXPECT_EQ(labelPixel, kLabelBack);
    EXPECT_EQ(facePixel, kFormBack);
    EXPECT_EQ(editPixel, GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(saved);
}

TEST(FrameworkDialog, FailureInsideTheLoopEndsItAndIsRaisedAfter) {
    HostWindow host;
    OrvHostWindowScope hostCall(host.hWnd);
    Form form;
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow(FindForm);
            if (dialog != nullptr) ClickItem(dialog, IDC_FAIL);
        });
        try {
            form.DoModal();
            ADD_FAILURE() << "the failure was swallowed";
        } catch (const std::runtime_error& failure) {
            EXPECT_STREQ(failure.what(), "handler failed");
        }
    }
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_EQ(FindForm(), nullptr);
    EXPECT_EQ(form.hWnd, nullptr);
    EXPECT_EQ(OrvTakeWindowFailure(), nullptr);
}

TEST(FrameworkDialog, BadNumberKeepsTheDialogOpenWithFocusOnIt) {
    Form form;
    bool stillOpen = false;
    HWND focusAfterBadOk = nullptr;
    HWND countBox = nullptr;
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow(FindForm);
            if (dialog == nullptr) return;
            countBox = GetDlgItem(dialog, IDC_COUNT);
            SetWindowTextA(countBox, "12x");
            ClickItem(dialog, IDOK);
            stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
            focusAfterBadOk = info.hwndFocus;
            SetWindowTextA(countBox, "42");
            ClickItem(dialog, IDOK);
        });
        EXPECT_EQ(form.DoModal(), IDOK);
    }
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focusAfterBadOk, countBox);
    EXPECT_EQ(form.count, 42);
}

TEST(FrameworkDialog, WithoutHostWindowTheActiveWindowOwnsIt) {
    HostWindow active;
    SetActiveWindow(active.hWnd);
    HostWindow gone;
    HWND stale = gone.hWnd;
    gone.DestroyWindow();
    OrvHostWindowScope hostCall(stale);
    Form form;
    HWND owner = nullptr;
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow(FindForm);
            if (dialog == nullptr) return;
            owner = GetWindow(dialog, GW_OWNER);
            ClickItem(dialog, IDCANCEL);
        });
        EXPECT_EQ(form.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(owner, active.hWnd);
}

TEST(FrameworkWindow, BindingAndClassLifetime) {
    HWND foreign =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    {
        HostWindow first;
        HostWindow second;
        EXPECT_EQ(CWnd::FromHandlePermanent(first.hWnd), &first);
        const char* name = OrvRegisteredWindowClass("FrameworkTestHost");
        ASSERT_NE(name, nullptr);
        char address[32];
        std::snprintf(address, sizeof address, "%p", static_cast<void*>(OrvModuleHandle()));
        EXPECT_NE(std::string(name).find(address), std::string::npos) << name;
        first.DestroyWindow();
        EXPECT_EQ(first.hWnd, nullptr);
        EXPECT_NE(OrvRegisteredWindowClass("FrameworkTestHost"), nullptr);
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetClassInfoExA(OrvModuleHandle(), name, &info));

        // A window can be bound to one object only; unbinding hands it back untouched.
        CWnd taken, again;
        EXPECT_TRUE(taken.SubclassWindow(foreign));
        EXPECT_FALSE(again.SubclassWindow(foreign));
        EXPECT_EQ(CWnd::FromHandlePermanent(foreign), &taken);
        EXPECT_EQ(taken.UnsubclassWindow(), foreign);
        EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    }
    EXPECT_EQ(OrvRegisteredWindowClass("FrameworkTestHost"), nullptr);
    DestroyWindow(foreign);
}

TEST(FrameworkModule, StringsAndBitmapsFromOurResources) {
    EXPECT_EQ(OrvLoadString(IDS_GREETING), "Greeting\nHello from the table");
    EXPECT_EQ(OrvLoadString(IDS_GREETING + 1), "");

    OrvBitmap swatch(OrvLoadBitmap(IDB_SWATCH));
    ASSERT_TRUE(swatch);
    BITMAP info{};
    GetObject(swatch, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    OrvMemoryDC dc(nullptr);
    OrvSelection selected(dc, swatch);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));
    EXPECT_FALSE(OrvBitmap(OrvLoadBitmap(IDB_SWATCH + 1)));
}

}  // namespace
