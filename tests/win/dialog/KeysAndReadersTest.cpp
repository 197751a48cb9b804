// The dialog from the keyboard and through a screen reader's eyes, with real input: Control+Tab
// switches pages, Alt with a label's key focuses its control, a value typed into a number box
// moves its slider and the block, the keys zoom and move a focused preview; every control
// tells its name, role and value through the accessibility interface, and changes are
// announced as the system's events.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "EffectDialogDriver.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "OrvLib/framework/CWnd.h"
#include "WindowHarness.h"
#include "product/PSVarnPlugin.h"
#include "product/engine/EffectDerived.h"
#include "product/resources/ResourceIds.h"

namespace {

using namespace DialogTest;

int SelectedTab(HWND dialog) {
    auto* tabs = dynamic_cast<OrvDragTabCtrl*>(CWnd::FromHandlePermanent(TabStrip(dialog)));
    return tabs != nullptr ? tabs->GetCurSel() : -1;
}

// The page shown, known by a control of its own template.
HWND ShownPage(HWND dialog, int id) {
    for (HWND page : VisiblePages(dialog)) {
        if (GetDlgItem(page, id) != nullptr) return page;
    }
    return nullptr;
}

void Chord(WORD modifier, WORD key, WORD second = 0) {
    Harness::KeyDown(modifier);
    if (second != 0) Harness::KeyDown(second);
    Harness::Key(key);
    if (second != 0) Harness::KeyUp(second);
    Harness::KeyUp(modifier);
}

OrvCustomSliderCtrl& Slider(HWND page, int id) {
    return dynamic_cast<OrvCustomSliderCtrl&>(*CWnd::FromHandlePermanent(GetDlgItem(page, id)));
}

TEST_F(EffectDialog, KeysSwitchPagesReachLabelledControlsTypeValuesAndMoveThePreviews) {
    Prepare(160, 120, {"--density", "40", "--scale", "1.2", "--seed", "7"});
    PSVarnPlugin& plugin = ThePlugin();
    ASSERT_EQ(
        Start([&](HWND dialog) {
            // Control+Tab and Control+Shift+Tab, from wherever the focus is (a click first,
            // for the keys to reach the dialog without a window manager).
            ASSERT_TRUE(ShowTab(dialog, 0));
            const struct {
                WORD second;
                int tab;
            } switches[] = {{0, 1}, {0, 2}, {VK_SHIFT, 1}, {VK_SHIFT, 0}, {VK_SHIFT, 4}, {0, 0}, {0, 1}};
            for (const auto& s : switches) {
                Chord(VK_CONTROL, VK_TAB, s.second);
                EXPECT_TRUE(Eventually([&] { return SelectedTab(dialog) == s.tab; })) << s.tab;
                EXPECT_EQ(VisiblePages(dialog).size(), 1u);
            }
            HWND settings = ShownPage(dialog, IDC_DENSITY);
            ASSERT_NE(settings, nullptr);

            // Alt with a label's key focuses the control it labels, or clicks a box.
            Chord(VK_MENU, 'D');
            EXPECT_TRUE(Eventually([&] { return HostFocus() == GetDlgItem(settings, IDC_DENSITY); }));
            for (const auto& [key, box] :
                 {std::pair{'R', IDC_ROTATE_IMAGES}, {'T', IDC_RANDOMISE_ROTATION}}) {
                Chord(VK_MENU, WORD(key));
                EXPECT_TRUE(Eventually([&, box = box] {
                    return SendMessageA(GetDlgItem(settings, box), BM_GETCHECK, 0, 0) == BST_CHECKED;
                })) << key;
            }

            // Typed values: the slider follows, a value out of range or between positions
            // shows as the slider took it once the box is left, and the block gets the
            // slider's own value.
            const struct {
                int slider;
                const char* typed;
                int position;
                const char* shown;
            } typed[] = {
                {IDC_DENSITY, "500", 100, "100"},
                {IDC_SCALE, "1.5", 18, "1.51x"},
                {IDC_OPACITY, "50", 128, "50.2%"},
                {IDC_RANDOM_ROTATION, "0", 1, "1"},
            };
            for (const auto& t : typed) {
                SCOPED_TRACE(t.typed);
                OrvCustomSliderCtrl& slider = Slider(settings, t.slider);
                TypeInto(slider.NumberBox()->hWnd, t.typed);
                EXPECT_TRUE(Eventually([&] { return slider.GetPos() == t.position; })) << slider.GetPos();
                Harness::Key(VK_TAB);
                EXPECT_TRUE(Eventually([&] { return slider.NumberBox()->Text() == t.shown; }))
                    << slider.NumberBox()->Text();
            }
            EXPECT_EQ(plugin.Parameters()->density, 100);
            EXPECT_EQ(plugin.Parameters()->scale, SliderFactor(18));
            Harness::SaveScreenshot(dialog, "dialog-typed-values");

            // A focused preview: + zooms in, the arrows move the view, - zooms out;
            // Control with the wheel zooms over a preview wherever the focus is.
            HWND result = GetDlgItem(dialog, IDC_RESULT_PREVIEW);
            ClickCentre(result);
            EXPECT_TRUE(Eventually([&] { return HostFocus() == result; }));
            const auto zooms = [&](const std::function<void()>& act) {
                const std::string was = Label(dialog);
                act();
                return Eventually([&] { return Label(dialog) != was; });
            };
            EXPECT_TRUE(zooms([] { Harness::Key(VK_ADD), Harness::Key(VK_ADD); }));
            const OrvRect before = plugin.GetViewRect();
            Harness::Key(VK_RIGHT);
            Harness::Key(VK_DOWN);
            EXPECT_TRUE(Eventually([&] {
                return plugin.GetViewRect().left > before.left && plugin.GetViewRect().top > before.top;
            }));
            EXPECT_TRUE(zooms([] { Harness::Key(VK_SUBTRACT); }));
            Chord(VK_MENU, 'D');
            EXPECT_TRUE(Eventually([&] { return HostFocus() == GetDlgItem(settings, IDC_DENSITY); }));
            EXPECT_TRUE(zooms([&] {
                Harness::MoveTo(GetDlgItem(dialog, IDC_BEFORE_PREVIEW), 40, 40);
                Harness::KeyDown(VK_CONTROL), Harness::Wheel(120), Harness::KeyUp(VK_CONTROL);
            }));
            EXPECT_EQ(Slider(settings, IDC_DENSITY).GetPos(), 100) << "the wheel zoomed, not the slider";
            EndWith(dialog, IDOK);
        }),
        noErr);
}

// What a screen reader asks, through the accessibility interface.
struct Answer {
    std::string name, value, shortcut;
    long role = 0, state = 0, children = 0;
    bool read = false;
};

Answer Ask(HWND window, long child = CHILDID_SELF) {
    Answer a;
    IAccessible* o = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&o))) ||
        o == nullptr)
        return a;
    VARIANT self{}, number{};
    self.vt = VT_I4;
    self.lVal = child;
    using Text = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    for (auto [get, out] : {std::pair<Text, std::string*>{&IAccessible::get_accName, &a.name},
                            {&IAccessible::get_accValue, &a.value},
                            {&IAccessible::get_accKeyboardShortcut, &a.shortcut}}) {
        BSTR text = nullptr;
        if ((o->*get)(self, &text) == S_OK) out->assign(text, text + SysStringLen(text));
        SysFreeString(text);
    }
    if (o->get_accRole(self, &number) == S_OK) a.role = number.lVal;
    if (o->get_accState(self, &number) == S_OK) a.state = number.lVal;
    o->get_accChildCount(&a.children);
    o->Release();
    a.read = true;
    return a;
}

struct Seen {
    DWORD event;
    HWND window;
    LONG child;
};
std::vector<Seen> seen;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) seen.push_back({event, window, child});
}

bool Announced(DWORD event, HWND window, LONG child = CHILDID_SELF) {
    return Harness::PumpUntil([&] {
        for (const Seen& s : seen) {
            if (s.event == event && s.window == window && s.child == child) return true;
        }
        return false;
    });
}

TEST_F(EffectDialog, EveryControlTellsItsNameRoleAndValueAndChangesAreAnnounced) {
    Prepare(160, 120, {"--density", "40", "--seed", "7"});
    // An editor runs its windows with COM ready, as the answers' marshalling needs.
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_EQ(Start([&](HWND dialog) {
                  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
                  HWINEVENTHOOK hook =
                      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, &Record,
                                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
                  ASSERT_NE(hook, nullptr);
                  ASSERT_TRUE(ShowTab(dialog, 1));
                  HWND settings = ShownPage(dialog, IDC_DENSITY);
                  ASSERT_NE(settings, nullptr);
                  const auto onSettings = [&](int id) { return GetDlgItem(settings, id); };
                  const struct {
                      const char* what;
                      HWND window;
                      const char* name;
                      long role;
                      const char* value;
                  } controls[] = {
                      {"OK", GetDlgItem(dialog, IDOK), "OK", ROLE_SYSTEM_PUSHBUTTON, ""},
                      {"before", GetDlgItem(dialog, IDC_BEFORE_PREVIEW), "Original Preview",
                       ROLE_SYSTEM_GRAPHIC, ""},
                      {"result", GetDlgItem(dialog, IDC_RESULT_PREVIEW), "Preview", ROLE_SYSTEM_GRAPHIC, ""},
                      {"tabs", TabStrip(dialog), "Pages", ROLE_SYSTEM_PAGETABLIST, ""},
                      {"label", onSettings(IDC_DENSITY_LABEL), "Density", ROLE_SYSTEM_STATICTEXT, ""},
                      {"density", onSettings(IDC_DENSITY), "Density", ROLE_SYSTEM_SLIDER, "40"},
                      {"density box", Slider(settings, IDC_DENSITY).NumberBox()->hWnd, "Density",
                       ROLE_SYSTEM_TEXT, "40"},
                      {"opacity", onSettings(IDC_OPACITY), "Opacity", ROLE_SYSTEM_SLIDER, "100.0%"},
                      {"rotate", onSettings(IDC_ROTATE_IMAGES), "Rotate Images", ROLE_SYSTEM_CHECKBUTTON, ""},
                      {"dial", onSettings(IDC_ROTATION_ANGLE), "Rotation Angle", ROLE_SYSTEM_SLIDER, "0"},
                  };
                  for (const auto& c : controls) {
                      SCOPED_TRACE(c.what);
                      const Answer a = Ask(c.window);
                      ASSERT_TRUE(a.read);
                      EXPECT_EQ(a.name, c.name);
                      EXPECT_EQ(a.role, c.role);
                      EXPECT_EQ(a.value, c.value);
                  }
                  // The tabs are items of the strip, the shown one selected.
                  EXPECT_EQ(Ask(onSettings(IDC_DENSITY)).shortcut, "Alt+D");
                  EXPECT_EQ(Ask(onSettings(IDC_ROTATE_IMAGES)).shortcut, "Alt+R");
                  const Answer strip = Ask(TabStrip(dialog));
                  EXPECT_EQ(strip.children, 5);
                  const Answer tab = Ask(TabStrip(dialog), 2);
                  EXPECT_EQ(tab.name, "Settings");
                  EXPECT_EQ(tab.role, ROLE_SYSTEM_PAGETAB);
                  EXPECT_NE(tab.state & STATE_SYSTEM_SELECTED, 0);
                  EXPECT_EQ(Ask(onSettings(IDC_RANDOM_SCALE)).state & STATE_SYSTEM_UNAVAILABLE,
                            STATE_SYSTEM_UNAVAILABLE);

                  // Changes are announced: focus, a value, a state and the selected page.
                  HWND density = onSettings(IDC_DENSITY), rotate = onSettings(IDC_ROTATE_IMAGES);
                  Chord(VK_MENU, 'D');
                  EXPECT_TRUE(Announced(EVENT_OBJECT_FOCUS, density));
                  Harness::Key(VK_RIGHT);
                  EXPECT_TRUE(Announced(EVENT_OBJECT_VALUECHANGE, density));
                  EXPECT_EQ(Ask(density).value, "41");
                  Harness::Click(rotate, 5, 5);
                  EXPECT_TRUE(Announced(EVENT_OBJECT_STATECHANGE, rotate));
                  EXPECT_NE(Ask(rotate).state & STATE_SYSTEM_CHECKED, 0);
                  Chord(VK_CONTROL, VK_TAB);
                  EXPECT_TRUE(Announced(EVENT_OBJECT_SELECTION, TabStrip(dialog), 3));
                  UnhookWinEvent(hook);
                  CoUninitialize();
                  EndWith(dialog, IDOK);
              }),
              noErr);
    CoUninitialize();
}

}  // namespace
