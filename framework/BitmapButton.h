// CBitmapButton: an owner-drawn push button that shows a bitmap for its
// states: up, pressed, focused and disabled (a missing state shows the up
// bitmap). White in the bitmaps is transparent.
#pragma once

#include "framework/Controls.h"

class CBitmapButton : public CButton {
public:
    // Loads the state bitmaps (0 for a state without its own); false when the
    // up bitmap cannot be loaded.
    bool LoadBitmaps(UINT up, UINT pressed = 0, UINT focused = 0, UINT disabled = 0);
    // Sizes the button to its up bitmap, keeping its top-left corner.
    void SizeToContent();

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_up;
    CBitmap m_pressed;
    CBitmap m_focused;
    CBitmap m_disabled;
};
