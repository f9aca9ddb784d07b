#pragma once
// Size rules of the terminal: every character is taken as half a line high
// and wide, so rows are counted in bytes.
#include <cstddef>

namespace quelda {

// FONT_POINT is in tenths of a point. Values whose line height would fall
// below two pixels would give a character width of 0, so they are raised;
// absurdly large ones are lowered.
constexpr int kMinLineHeight = 2;
constexpr int kMaxFontPoint = 7200;
constexpr int kFallbackDpi = 96;

int ClampFontPoint(int fontPoint, int dpiY);
// lh = FONT_POINT x dpi / 720, truncated, after the clamp above.
int LineHeightFor(int fontPoint, int dpiY);

inline int CharWidth(int lh) { return lh / 2; }
// Characters per row; 0 when the window is narrower than one character.
int CharsPerRow(int clientWidth, int lh);

// Rows a line counts in the scroll height: len / cpr + 1 (0 when cpr is 0).
// A line of exactly cpr bytes therefore counts two, an empty one counts one.
long long HeightRowsOf(std::size_t length, int cpr);
// Rows a line actually draws: one per started piece of cpr bytes, none when empty.
long long DrawnRowsOf(std::size_t length, int cpr);

struct ScrollSizes {
    int totalWidth = 0;  // the client width: never horizontal scrolling
    long long totalHeight = 0;
    int pageX = 0;  // cpr / 10
    int pageY = 0;  // h / lh pixels, not a page
    int lineX = 0;  // cw
    int lineY = 0;  // lh
};

ScrollSizes ComputeScrollSizes(int clientWidth, int clientHeight, int lh, long long heightRows);

// The scroll position that puts the last row at the bottom (0 when all fits).
long long BottomScrollPosition(long long totalHeight, int clientHeight);

}  // namespace quelda
