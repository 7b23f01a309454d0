#pragma once

#include <QStringView>

// A tab shows as spaces up to the next tab stop, so a character's column on screen can differ
// from its position in the line. Both kinds of column count from 1; positions past the end of
// the line (virtual space) take one screen column each.

// The screen column of character position `column` of line.
int displayColumn(QStringView line, int column, int tabWidth);
// The character position shown at screen column `display` (rounded to the cell it lies in).
int charColumnAt(QStringView line, int display, int tabWidth);
// The text with every tab expanded as it falls when the text starts at screen column startColumn.
QString expandTabs(QStringView text, int tabWidth, int startColumn = 1);
