#pragma once

#include "ProjectFile.h"

#include <QList>
#include <QString>

// Search in Project: every file of the file table, in the texts held in memory, so unsaved
// edits count. Plain text (with the editor's match-case and whole-word rules) or a regular
// expression.
struct ProjectQuery {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
    bool regularExpression = false;
};

struct ProjectMatch {
    int file = 0; // position in the file table
    int line = 1; // 1-based
    int column = 1; // 1-based
    int length = 0;
    // The line around the match (a long line is cut to the part that shows), and where the match
    // starts in it, from 0.
    QString excerpt;
    int excerptStart = 0;
};

struct ProjectSearchResult {
    QList<ProjectMatch> matches;
    QString error; // why a regular expression could not be used; nothing was searched
};

ProjectSearchResult searchProject(const FileTable &files, const ProjectQuery &query);
