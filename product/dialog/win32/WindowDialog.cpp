// Start's dialog step on Windows: the effect dialog, modal over the host's window.
#include <windows.h>

#include "OrvLib/framework/Module.h"
#include "product/EffectDialog.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/win32/PSVarnPluginDialog.h"

bool RunEffectDialog(PSVarnPlugin& plugin) {
    // The host's window owns the dialog for this call only; another call may come from
    // another of its windows.
    OrvHostWindowScope owner(reinterpret_cast<HWND>(plugin.HostWindow()));
    PSVarnPluginDialog dialog(&plugin);
    return dialog.DoModal() == IDOK;
}
