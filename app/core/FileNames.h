#pragma once

#include <QString>

// Name rules for project files and their backups. Paths use "/" as the folder separator.

// The extension with its dot: from the last "." of the name without folder (".php"); empty when
// the name has no dot.
QString fileExtension(const QString &path);
// The folder with its trailing "/"; empty for a bare name.
QString folderOf(const QString &path);
// The name without its folder.
QString nameOf(const QString &path);
// The extension upper-cased with every "." removed ("PHP"); how a file's type is named.
QString fileTypeOf(const QString &path);
// path when absolute, else path inside folder.
QString resolvePath(const QString &folder, const QString &path);

// Every occurrence of the extension in the name becomes ".~" + the extension without its dot
// (a.php.php gives a.~php.~php). Only the name is changed, never its folders, so the backup
// stays beside the file. A name without extension gives itself back: it has no backup name.
QString backupFileName(const QString &path);

// The name chosen for a project file, with ".vlmp" appended unless its upper-cased form already
// contains ".VLMP".
QString withProjectExtension(const QString &name);
