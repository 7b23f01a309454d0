#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A folder's entries read by their exact byte names (see NativePath.h), so names that are not
// UTF-8 are listed, and chosen, like any other.
struct FolderEntry {
    QString name; // with its own bytes; displayPath() shows it
    bool isFolder = false;
    qint64 size = 0;
    QDateTime modified;
};

struct FolderContents {
    QList<FolderEntry> entries;
    QString error; // the system's text when the folder could not be read
};

// The folders of folder (".." first, unless it is "/") and its files that match one of the
// patterns, ordered by name with ASCII letters compared without regard to case. "." is never
// listed; names starting with "." only withHidden.
FolderContents readFolder(const QString &folder, const QStringList &patterns, bool withHidden);

// folder with its trailing "/"; "/" for an empty one.
QString withTrailingSlash(const QString &folder);
// "/srv/site/" gives "/srv/"; "/" stays "/".
QString parentFolderOf(const QString &folder);
