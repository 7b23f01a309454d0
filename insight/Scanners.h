#pragma once

#include "CharClasses.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The line scanners behind the Code Explorer, the function and class lists and the variables
// picker. They are deliberately not tokenisers: plain substring tests, line by line, with no
// notion of comments or strings, and only the PHP region (and for declarations the SCRIPT
// element) as context. Their exact rules are what users see in those windows.

// The names one scan found, in the order found; duplicates only where a scan allows them.
using ScanResults = QStringList;

// Every occurrence of pattern replaced, left to right without overlap, compared case-sensitively.
// An empty text or pattern, or one that does not occur, gives text unchanged.
QString ReplaceAll(const QString &text, QStringView pattern, QStringView replacement);

// Lines reached one by one where they are kept (the editor's lines), so that a scan of a large
// file needs no list of them first. at(context, i) gives line i, from 0.
struct LineSource {
    const void *context;
    QStringView (*at)(const void *context, qsizetype index);
    qsizetype count;

    qsizetype size() const { return count; }
    QStringView operator[](qsizetype index) const { return at(context, index); }
};

// The distinct PHP variables of lines, each without its "$" and as written where first found;
// names that differ only in case count as one. Only text inside a PHP region counts.
ScanResults ScanVariables(const QStringList &lines);
ScanResults ScanVariables(const QList<QStringView> &lines);
ScanResults ScanVariables(const LineSource &lines);

// The names declared with keyword ("function" or "class", in any case) inside PHP regions and
// SCRIPT elements. Removes the PHP and SCRIPT tag marks from lines as it goes: callers pass a
// copy, and find the occurrence lines of the names in the copy as it was left.
ScanResults ScanDeclarations(QStringList &lines, QStringView keyword);
// The same names, leaving lines as they are; *changed, when given, receives the lines the scan
// changed (by their index from 0) as it left them.
using ChangedLines = QHash<qsizetype, QString>;
ScanResults DeclaredNames(const QList<QStringView> &lines, QStringView keyword, ChangedLines *changed = nullptr);
ScanResults DeclaredNames(const LineSource &lines, QStringView keyword);

// The character test of variable names: a letter, digit, "_" or any character above 127, or the
// two characters of "->".
inline bool IsVariableChar(QChar previous, QChar current, QChar next)
{
    const char16_t c = current.unicode();
    return isNameChar(c) || (c == u'-' && next == u'>') || (previous == u'-' && c == u'>');
}

// The names in alphabetical order without regard to case, as the lists of names show them.
ScanResults sortedWithoutCase(ScanResults names);

// text without leading and trailing blanks and control characters.
QStringView trimmedBlanks(QStringView text);
// ASCII letters a to z upper-cased; nothing else changes.
QString asciiUpper(QStringView text);
// Where upperNeedle (already ASCII upper-cased) first occurs in text with ASCII letters compared
// without regard to case, from position from; -1 when it does not, or when upperNeedle is empty.
qsizetype indexOfAsciiNoCase(QStringView text, QStringView upperNeedle, qsizetype from = 0);
