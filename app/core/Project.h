#pragma once

#include "FileStorage.h"
#include "ProjectFile.h"

#include <QString>
#include <QStringList>

struct ProjectOptions {
    QString Path; // the project folder with its trailing "/"
    QString ServerURL; // the base URL the folder is served under; empty when not set
};

// The open project. An empty Name means no project is open.
struct Project {
    QString Name;
    QString Description; // the description's lines in comma form
    QString FileName; // the project file's name without folder; empty until first saved
    FileTable Files;
    ProjectOptions Options;
    bool Changed = false;

    QString projectFilePath() const { return Options.Path + FileName; }
};

// New Project: "Project 1" in programFolder (with its trailing "/") and no files.
void ResetProject(Project &project, const QString &programFolder);
// Close Project: the files and the name go; folder, file name, URL and description stay.
void CloseProject(Project &project);

// Writes the project file (with its backup when createBackups), then clears Changed. lastFile is
// the table position from 1 of the active file, 0 for none. The caller runs Save Project As
// instead while FileName is empty. On failure nothing was written and Changed stays.
bool SaveProject(Project &project, int lastFile, bool createBackups, SaveError *error);

struct LoadedProject {
    bool valid = false; // false: "Invalid project file!", nothing else applies
    Project project;
    int lastRow = 0; // the row to focus: table index + 1 of the last active file, or 0
    QStringList missingFiles; // listed files that do not exist, as written: "Can't load project file:"
    QStringList refusedFiles; // "<file>: <reason>" of listed files that exist but cannot be read
};

// Reads a project file completely before anything is returned, so a broken file never replaces
// the open project. Relative file paths are read from the project's folder and kept as written;
// on success the project's folder becomes the working folder so that they keep working.
LoadedProject LoadProject(const QString &projectFilePath);
