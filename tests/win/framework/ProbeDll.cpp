// A library that opens a dialog from its own resources, for the load, run, unload and
// reload test: what a host does with the plug-in.
#include <windows.h>

#include <stdexcept>

#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/Module.h"

namespace {

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(bool initialFail) : CDialog(1), fail(initialFail) {}
    char className[128] = "";

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (fail) throw std::runtime_error("probe failed");
        swatch.Create("ProbeSwatch", "", WS_CHILD | WS_VISIBLE, RECT{4, 4, 40, 20}, this, 10);
        if (const char* name = OrvRegisteredWindowClass("ProbeSwatch"))
            lstrcpynA(className, name, sizeof className);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return TRUE;
    }

private:
    bool fail;
    CWnd swatch;
};

}  // namespace

// The dialog's result (-2 when it failed), the class name its control used, and the
// module the framework took for this library.
extern "C" __declspec(dllexport) int RunProbeDialog(int fail, char* className, int size, HMODULE* module) {
    *module = OrvModuleHandle();
    ProbeDialog dialog(fail != 0);
    try {
        const int result = static_cast<int>(dialog.DoModal());
        lstrcpynA(className, dialog.className, size);
        return result;
    } catch (const std::runtime_error&) {
        return -2;
    }
}
