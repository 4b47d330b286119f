// A modal dialog built from a dialog template resource. At WM_INITDIALOG the object
// attaches itself to the dialog window like a control object does (CWnd::SubclassWindow),
// so a dialog's messages reach WindowProc on the same path as every other window's, and
// Default hands them to the dialog manager. That keeps one return convention everywhere
// instead of the dialog procedure's DWLP_MSGRESULT rules.
#pragma once

#include "framework/window.h"

class CDialog : public CWnd {
public:
    // parent null: the owner is the window the user is working in (the main window's
    // active pop-up), if there is a main window.
    explicit CDialog(UINT idTemplate, HWND parent = nullptr);

    // Shows the dialog and returns once it has ended: the value given to EndDialog, or -1
    // when the dialog could not be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    // Moves data between the controls and the members through DoDataExchange:
    // save = true reads the controls, false writes them.
    void UpdateData(bool save);

protected:
    // Handles WM_INITDIALOG (OnInitDialog) and the clicks of IDOK and IDCANCEL (the Enter
    // and Escape keys, the close box); a derived class handles its own messages first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Writes the members to the controls; TRUE lets the dialog manager focus the first tab stop.
    virtual BOOL OnInitDialog();
    // Reads the controls into the members and ends the dialog with IDOK.
    virtual void OnOK();
    // Ends the dialog with IDCANCEL.
    virtual void OnCancel();
    // One call per control, to the helpers of framework/data_exchange.h.
    virtual void DoDataExchange(bool save);

    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_idTemplate;
    HWND m_hParent;
};
