#pragma once

#include "ProjectFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// One "ProjectFile=" line: the path as written, the type, and the caret column, caret line and
// top line (1,1:1 when the line gives no valid position).
struct ProjectFileLine {
    QString Path;
    QString FileType;
    int CaretX = 1;
    int CaretY = 1;
    int TopLine = 1;
    LineEnds LineFormat = LineEnds::Windows;
};

// The project file's contents, before any listed file is looked at.
struct ProjectFileContents {
    QString Name;
    QString Description;
    QString ServerURL;
    // The path of the file line the LastFile number points at; empty for none.
    QString LastFilePath;
    QList<ProjectFileLine> Files;
};

// A project file's bytes as text: paths keep their exact bytes (see NativePath.h).
QString projectFileText(QByteArrayView bytes);
// Parses the text of a project file; nullopt when it breaks a rule of the format (the caller
// reports "Invalid project file!").
std::optional<ProjectFileContents> parseProjectFile(QStringView text);

struct Project;

// The project file's bytes, UTF-8 with each path's own bytes: four header lines, then one line per file that is not new, every
// line ended by CR LF. lastFile is the table position (from 1) of the active file, 0 for none;
// it is written as that file's position among the written lines.
QByteArray projectFileBytes(const Project &project, int lastFile);
