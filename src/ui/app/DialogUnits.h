#pragma once
// Form sizes are given in dialog units of the form's font: a quarter of the
// average character width across, an eighth of the character height down.
#include <QFont>
#include <QSize>

// The form font: 9 point of the display family.
QFont FormFont();
// The mean width of the Latin letters, which dialog units are based on (a
// font's own average counts its full-width glyphs too).
int BaseCharWidth(const QFont& font);
QSize DialogUnitsToPixels(const QFont& font, int width, int height);
