// QuorelRect: a screen rectangle in pixels, right and bottom exclusive (as the GUI's draw calls pass them).
#pragma once

struct QuorelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    QuorelRect() = default;
    QuorelRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static QuorelRect FromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    QuorelRect Intersect(const QuorelRect& o) const {
        QuorelRect r(left > o.left ? left : o.left, top > o.top ? top : o.top,
                     right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom);
        if (r.right < r.left)
            r.right = r.left;
        if (r.bottom < r.top)
            r.bottom = r.top;
        return r;
    }
    bool operator==(const QuorelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
