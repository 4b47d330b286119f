#include "framework/data_exchange.h"

void DdxText(HWND dialog, int id, std::string& value, bool save) {
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return;
    if (save) {
        value = GetWindowTextString(control);
        return;
    }
    if (GetWindowTextString(control) != value)
        SetWindowTextA(control, value.c_str());
}

void DdxControl(HWND dialog, int id, CWnd& control) {
    if (!control.GetHwnd())
        control.SubclassWindow(GetDlgItem(dialog, id));
}
