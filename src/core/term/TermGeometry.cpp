#include "term/TermGeometry.h"

#include <algorithm>

namespace quelda {

int ClampFontPoint(int fontPoint, int dpiY) {
    if (dpiY <= 0) dpiY = kFallbackDpi;
    // Smallest value with fontPoint * dpi / 720 >= kMinLineHeight.
    long long minimum = (kMinLineHeight * 720LL + dpiY - 1) / dpiY;
    // minimum is at most 1440, below kMaxFontPoint, so both bounds hold.
    return static_cast<int>(std::clamp<long long>(fontPoint, minimum, kMaxFontPoint));
}

int LineHeightFor(int fontPoint, int dpiY) {
    if (dpiY <= 0) dpiY = kFallbackDpi;
    return static_cast<int>(static_cast<long long>(ClampFontPoint(fontPoint, dpiY)) * dpiY / 720);
}

int CharsPerRow(int clientWidth, int lh) {
    int cw = CharWidth(lh);
    if (cw <= 0 || clientWidth <= 0) return 0;
    return clientWidth / cw;
}

long long HeightRowsOf(std::size_t length, int cpr) {
    if (cpr <= 0) return 0;
    return static_cast<long long>(length / static_cast<std::size_t>(cpr)) + 1;
}

long long DrawnRowsOf(std::size_t length, int cpr) {
    if (cpr <= 0) return 0;
    std::size_t c = static_cast<std::size_t>(cpr);
    return static_cast<long long>((length + c - 1) / c);
}

ScrollSizes ComputeScrollSizes(int clientWidth, int clientHeight, int lh, long long heightRows) {
    ScrollSizes s;
    int cpr = CharsPerRow(clientWidth, lh);
    s.totalWidth = std::max(clientWidth, 0);
    s.totalHeight = cpr > 0 ? heightRows * lh : 0;
    s.pageX = cpr / 10;
    s.pageY = lh > 0 ? std::max(clientHeight, 0) / lh : 0;
    s.lineX = CharWidth(lh);
    s.lineY = lh;
    return s;
}

long long BottomScrollPosition(long long totalHeight, int clientHeight) {
    return std::max<long long>(totalHeight - clientHeight, 0);
}

}  // namespace quelda
