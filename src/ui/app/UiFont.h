#pragma once
// The display font of the views: widths are counted in characters, so it is
// always a fixed-pitch font that has the Japanese glyphs when one is installed.
#include <QFont>
#include <QString>

// "ＭＳ ゴシック" when installed, else "Noto Sans Mono CJK JP", else the
// system's fixed-pitch family.
QString DisplayFontFamily();
// The display font at a size in tenths of a point (clamped to 1..100 points).
QFont DisplayFont(int pointTenths);
