#pragma once

#include "ProjectFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <vector>

// One file's unsaved work as a recovery journal keeps it: the text, the caret, what writing the
// file back needs, and the project it belongs to.
struct JournalEntry {
    QString projectFile; // the project file's full path; empty for a project never saved
    QString projectName;
    QString projectFolder;
    QString fileName;
    QString fileType;
    int caretX = 1;
    int caretY = 1;
    LineEnds lineFormat = LineEnds::Windows;
    TextEncoding encoding = TextEncoding::Utf8;
    bool hasBom = false;
    bool finalLineEnd = true;
    bool isNew = false; // never saved
    qint64 process = 0; // the process that wrote it
    QString text; // every line followed by CR LF

    bool operator==(const JournalEntry &) const = default;
};

// The journal's bytes: a header of "Key=value" lines, an empty line, then the lines as UTF-8,
// each followed by CR LF. The lines are taken as they are, so the editor's lines can be passed
// without joining them first.
QByteArray encodeJournal(const JournalEntry &entry, const std::vector<QString> &lines);
// False with the reason when bytes are no complete journal (a cut-off write, another file).
bool decodeJournal(const QByteArray &bytes, JournalEntry *entry, QString *error);

// A journal found in the folder: its entry, or why it cannot be read.
struct FoundJournal {
    QString path;
    bool readable = false;
    JournalEntry entry;
    QString error;
};
constexpr const char *JournalSuffix = ".vlmj";
// Every journal in folder, in the order of their names (a run's start time, then the order
// its files were first journalled), leaving out those a running copy of the program is
// still writing.
QList<FoundJournal> findJournals(const QString &folder);
