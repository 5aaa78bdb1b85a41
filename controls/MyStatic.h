// CMyStatic: a bitmap static that draws its picture over a copy of the window
// background behind it; the picture's top-left pixel colour is transparent.
#pragma once

#include "framework/Controls.h"
#include "framework/Gdi.h"

class CMyStatic : public CStatic {
public:
    CMyStatic() = default;

    // The part of the owner's background behind the control, filled by the owner
    // the first time the control asks for its colours.
    CBitmap m_background;

    // Draws the background copy and the picture (nothing without a picture).
    void Paint(CDC& dc);

protected:
    void OnPaint();

    DECLARE_MESSAGE_MAP()
};
