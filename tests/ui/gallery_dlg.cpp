#include "tests/ui/gallery_dlg.h"

#include "framework/data_exchange.h"

int CGalleryDlg::GetClicks(int id) const {
    auto found = m_clicks.find(id);
    return found == m_clicks.end() ? 0 : found->second;
}

void CGalleryDlg::DoDataExchange(bool save) {
    DdxControl(m_hWnd, IDC_TEXT, m_btnText);
    DdxControl(m_hWnd, IDC_TEXT_OFF, m_btnTextOff);
    DdxControl(m_hWnd, IDC_ICON_BUTTON, m_btnIcon);
    DdxControl(m_hWnd, IDC_ICON_BUTTON_OFF, m_btnIconOff);
    DdxControl(m_hWnd, IDC_CANCEL_SKIN, m_btnCancel);
    DdxControl(m_hWnd, IDC_CANCEL_SKIN_OFF, m_btnCancelOff);
    DdxControl(m_hWnd, IDC_OK_SKIN, m_btnOk);
    DdxControl(m_hWnd, IDC_OK_SKIN_OFF, m_btnOkOff);
    DdxControl(m_hWnd, IDC_PREFIX, m_btnPrefix);
    DdxControl(m_hWnd, IDC_NO_BITMAP, m_btnNoBitmap);
    DdxText(m_hWnd, IDC_LAST_CLICK, m_strLastClick, save);
}

BOOL CGalleryDlg::OnInitDialog() {
    // The plain icon buttons get their images before the dialog first draws them.
    m_btnIcon.SetBitmap(IDB_OK_BUTTON, RGB(255, 0, 255));
    m_btnIconOff.SetBitmap(IDB_OK_BUTTON, RGB(255, 0, 255));
    m_btnNoBitmap.SetBitmap(IDB_GALLERY_MISSING, RGB(255, 0, 255));
    CDialog::OnInitDialog();

    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_GALLERY));
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const struct {
        CPercentBar* bar;
        int id;
        int pos;
    } bars[] = {{&m_bar0, IDC_BAR_0, 0}, {&m_bar42, IDC_BAR_42, 42}, {&m_bar100, IDC_BAR_100, 100}};
    for (const auto& b : bars) {
        b.bar->CreateInPlaceOf(GetItem(b.id));
        b.bar->SetRange(0, 100);
        b.bar->SetPos(b.pos);
        b.bar->SetStep(1);
    }
    return TRUE;
}

LRESULT CGalleryDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= IDC_TEXT && LOWORD(wParam) <= IDC_NO_BITMAP) {
            const int id = LOWORD(wParam);
            const int clicks = ++m_clicks[id];
            char text[128];
            wsprintfA(text, "%s: %d", GetWindowTextString(GetItem(id)).c_str(), clicks);
            m_strLastClick = text;
            UpdateData(false);
            return 0;
        }
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
