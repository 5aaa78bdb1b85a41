// The owner-drawn buttons of the main window's skin: the square title-bar and
// tab buttons, the rounded BACK / NEXT / ACTION buttons and the section tabs.
#pragma once

#include "framework/Framework.h"

// Draws button id in the item rectangle for the owner-draw state (ODS_SELECTED
// pressed, ODS_DISABLED, ODS_FOCUS) with its caption; false when the id is not
// one of the skin's buttons.
bool DrawSkinButton(CDC& dc, int id, const CRect& item, UINT itemState, const CString& text);

// Colours a rounded button uses in a state: pen, brush and text.
struct RoundButtonColours {
    COLORREF pen;
    COLORREF brush;
    COLORREF text;
};
RoundButtonColours RoundButtonColoursFor(int id, bool pressed, bool disabled);
// The rounded rectangle of a rounded button: the item shrunk by 5 on every side.
CRect RoundButtonRect(const CRect& item);
