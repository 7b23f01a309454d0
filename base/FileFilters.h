#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One choice of a file chooser's type box: "PHP Files" with "*.php", "*.inc".
struct FileFilter {
    QString caption;
    QStringList patterns;
    bool operator==(const FileFilter &) const = default;
};

// "Web-prg Files|*.php; *.html|All Files|*.*": caption and patterns in turn. "*.*" meant every
// file where a name always had an extension; here it is "*", so "Makefile" and ".htaccess" show.
QList<FileFilter> parseFileFilters(const QString &pipeSeparated);

// Whether name matches pattern: "*" stands for any run of characters, "?" for one, everything
// else for itself (exactly: names on Linux are case-sensitive).
bool matchesPattern(QStringView name, QStringView pattern);
bool matchesAnyPattern(QStringView name, const QStringList &patterns);
