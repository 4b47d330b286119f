// The base of the skinned push buttons: an owner-drawn button that lights up while the
// pointer is over it (holding the mouse capture meanwhile), with a plain and an underlined
// copy of its font and the colours of its four looks. It draws nothing itself.
#pragma once

#include "framework/button.h"
#include "framework/unique_handle.h"

class CFlatButton : public CButton {
public:
    CFlatButton();

protected:
    enum Look { kNormal, kHover, kPressed, kDisabled };

    // Makes the control owner-drawn and copies its font; the control must have its font.
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Works out the item's look, fills its rectangle with the look's colour and draws
    // its frame (raised for hover, sunken for pressed, none otherwise); text drawn on dc
    // afterwards leaves the face showing. Returns the look.
    Look DrawFace(HDC dc, const DRAWITEMSTRUCT& item) const;
    // Underlined for hover and pressed, and for a focused button in the normal look.
    HFONT GetLookFont(Look look, UINT itemState) const;
    COLORREF GetLookTextColour(Look look) const;

    int m_bHover = 0;
    CUniqueFont m_fontNormal;
    CUniqueFont m_fontUnderline;
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crTextHover = RGB(0, 0, 255);
    COLORREF m_crFill;
    COLORREF m_crFillHover;

private:
    // The first that applies: disabled, pressed (pointer over it and the pressed state
    // changing), hover, normal.
    Look GetLook(const DRAWITEMSTRUCT& item) const;
    bool IsPointerInside() const;
};
