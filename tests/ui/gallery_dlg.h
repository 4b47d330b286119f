// The button and bar gallery: every skinned button class, enabled and disabled, and three
// bars at 0, 42 and 100 %. A person runs it as a program; the ui tests drive it.
#pragma once

#include "framework/dialog.h"
#include "tests/ui/gallery_ids.h"
#include "ui/cancel_button.h"
#include "ui/icon_button.h"
#include "ui/ok_button.h"
#include "ui/percent_bar.h"
#include "ui/text_button.h"

#include <map>
#include <string>

class CGalleryDlg : public CDialog {
public:
    enum { IDD = IDD_GALLERY };

    CGalleryDlg() : CDialog(IDD) {}

    // How often each button was clicked, by control id.
    int GetClicks(int id) const;

    CTextButton m_btnText;
    CTextButton m_btnTextOff;
    CIconButton m_btnIcon;
    CIconButton m_btnIconOff;
    CCancelButton m_btnCancel;
    CCancelButton m_btnCancelOff;
    COkButton m_btnOk;
    COkButton m_btnOkOff;
    CTextButton m_btnPrefix;
    CIconButton m_btnNoBitmap;
    CPercentBar m_bar0;
    CPercentBar m_bar42;
    CPercentBar m_bar100;

protected:
    void DoDataExchange(bool save) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::map<int, int> m_clicks;
    std::string m_strLastClick;
};
