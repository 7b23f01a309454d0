#pragma once

#include <QByteArray>
#include <QStringList>
#include <QStringView>

// The keyword and function list files: one entry per line under a header word.

inline constexpr QStringView KeywordsHeader = u"Keywords";
inline constexpr QStringView FunctionsHeader = u"Functions";

// A data file's lines: CR LF, a lone CR or a lone LF ends a line, and a line end after the last
// line adds none. Decoded as UTF-8 when valid, else as Latin-1.
QStringList dataFileLines(const QByteArray &bytes);

// The entries of a word list: its lines without the header word, which the file may leave out.
// Only a first line equal to the header, letter case included, is the header.
QStringList listEntries(QStringList lines, QStringView header);

// A word list file as written: the header line, then one line per entry, CR LF after each.
QByteArray wordListFileBytes(QStringView header, const QStringList &entries);
