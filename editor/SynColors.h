#pragma once

#include "SynHighlighterAttributes.h"

#include <QColor>
#include <QPalette>

// Turns a stored colour value into a colour to paint with: 0x00BBGGRR plainly, 0x80000000 + n as
// the current style's palette colour of that system role, none and default as an invalid colour
// (the caller's own colour then applies).
QColor colorFromSyn(SynColor colour, const QPalette &palette);
// The stored value of a plain colour.
SynColor synFromColor(const QColor &colour);
