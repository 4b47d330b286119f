#include "framework/dialog.h"

#include "framework/app.h"

CDialog::CDialog(UINT idTemplate, HWND parent) : m_idTemplate(idTemplate), m_hParent(parent) {}

INT_PTR CDialog::DoModal() {
    HWND owner = m_hParent;
    if (!owner && GetMainWindow())
        owner = GetLastActivePopup(GetMainWindow());
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_idTemplate), owner,
                           StaticDlgProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) {
    ::EndDialog(m_hWnd, result);
}

void CDialog::UpdateData(bool save) {
    DoDataExchange(save);
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Every later message reaches WindowProc through the subclassed window procedure; the
    // dialog manager's default handling is what this procedure's FALSE asks for.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hwnd);
    return dialog->WindowProc(message, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // Not passed on: the dialog manager calls StaticDlgProc for it again.
        return OnInitDialog();
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(bool) {}
