#include "OrvLib/framework/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "OrvLib/framework/CWnd.h"

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(dialogWindow->hWnd, id);
    if (control == nullptr) throw std::runtime_error("dialog template has no control " + std::to_string(id));
    lastControl = control;
    return control;
}

void CDataExchange::Fail(const char* what) { throw OrvDataExchangeFailure(what); }

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    HWND window = dx->PrepareCtrl(id);
    if (control.hWnd == window) return;
    if (control.hWnd != nullptr || !control.SubclassWindow(window))
        throw std::runtime_error("control " + std::to_string(id) + " is bound elsewhere");
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->saveAndValidate)
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!dx->saveAndValidate) {
        SetWindowTextA(control, value.c_str());
        return;
    }
    value = OrvWindowText(control);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    if (!dx->saveAndValidate) {
        std::string text = std::to_string(value);
        DDX_Text(dx, id, text);
        return;
    }
    std::string text;
    DDX_Text(dx, id, text);
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    while (end != nullptr && (*end == ' ' || *end == '\t')) ++end;
    if (end == begin || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        dx->Fail("not a whole number");
    value = static_cast<int>(parsed);
}
