// CPoint, CSize and CRect: value types over POINT, SIZE and RECT.
#pragma once

#include <windows.h>

class CSize : public SIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int x, int y) { cx = x; cy = y; }
    CSize(SIZE s) { cx = s.cx; cy = s.cy; }
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CPoint : public POINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int px, int py) { x = px; y = py; }
    CPoint(POINT p) { x = p.x; y = p.y; }
    explicit CPoint(LPARAM lp) { x = static_cast<short>(LOWORD(lp)); y = static_cast<short>(HIWORD(lp)); }
    void Offset(int dx, int dy) { x += dx; y += dy; }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const CPoint& o) const { return !(*this == o); }
    CPoint operator+(const CSize& s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(const CSize& s) const { return CPoint(x - s.cx, y - s.cy); }
};

class CRect : public RECT {
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    CRect(POINT topLeft, SIZE size) { left = topLeft.x; top = topLeft.y; right = left + size.cx; bottom = top + size.cy; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void DeflateRect(int dx, int dy) { left += dx; top += dy; right -= dx; bottom -= dy; }
    void DeflateRect(int l, int t, int r, int b) { left += l; top += t; right -= r; bottom -= b; }
    void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void NormalizeRect()
    {
        if (left > right) { LONG t = left; left = right; right = t; }
        if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
    }
    bool IntersectRect(const RECT& a, const RECT& b) { return ::IntersectRect(this, &a, &b) != FALSE; }
    bool operator==(const CRect& o) const { return EqualRect(this, &o) != FALSE; }
    bool operator!=(const CRect& o) const { return !(*this == o); }
};
