#pragma once

#include <QList>
#include <QStringView>

// How a printed line is cut into rows of at most maxColumns characters. Each row ends after the
// last blank, tab, comma or hyphen within reach; when some row has none, after the last ")", "."
// or ";"; when that fails too, rows are cut at exactly maxColumns. Answers the 0-based start of
// every row (the first is 0; an empty line has one row).
QList<int> printRowStarts(QStringView line, int maxColumns);
