// Data exchange between a dialog's members and its template's controls, by control id.
// Loading (saveAndValidate false) pushes members into controls; saving reads them back and
// stops at the first control whose text is not a valid value (OrvDataExchangeFailure; the
// dialog's UpdateData then answers false). No message box is shown.
//
// A control id missing from the template is a fault of the program, raised as
// std::runtime_error through the window procedure's firewall.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

class CWnd;

class OrvDataExchangeFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool initialSaveAndValidate)
        : saveAndValidate(initialSaveAndValidate), dialogWindow(dialog) {}

    const bool saveAndValidate;
    CWnd* const dialogWindow;

    // The control with id; raises when there is none.
    HWND PrepareCtrl(int id);
    [[noreturn]] void Fail(const char* what);
    HWND LastControl() const { return lastControl; }

private:
    HWND lastControl = nullptr;
};

// Binds control to the template's control id (subclassing it) the first time; later calls
// leave the binding alone.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Check box state: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// A whole decimal number, optionally signed, with surrounding blanks.
void DDX_Text(CDataExchange* dx, int id, int& value);
