// Start's dialog step on Windows: the effect dialog, modal over the host's window.
#include <windows.h>
#include <commctrl.h>

#include "OrvLib/framework/Module.h"
#include "product/EffectDialog.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/win32/PSVarnPluginDialog.h"

namespace {

// The host's window owns the dialog for this run only; another host call may come from
// another of its windows.
class HostWindowScope {
public:
    explicit HostWindowScope(intptr_t window) { OrvSetHostWindow(reinterpret_cast<HWND>(window)); }
    ~HostWindowScope() { OrvSetHostWindow(nullptr); }
    HostWindowScope(const HostWindowScope&) = delete;
    HostWindowScope& operator=(const HostWindowScope&) = delete;
};

}  // namespace

bool RunEffectDialog(PSVarnPlugin& plugin) {
    // The template's tab control, the tool tips and the pages' sliders are common controls.
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    HostWindowScope owner(plugin.HostWindow());
    PSVarnPluginDialog dialog(&plugin);
    return dialog.DoModal() == IDOK;
}
