#pragma once

// A second, deliberately plain implementation of the Code Explorer's tree, kept apart from the
// program's code so that the two can be compared. It does every step the slow, obvious way:
// whole lines upper-cased for every test, a linear search for known names, every entry's lines
// searched as soon as it is found. Nothing in it is shared with the insight library.

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace reference {

struct SourceFile {
    QString name;
    QString type;
    QString text;
};

struct Entry {
    QString name;
    QStringList lines; // "[00012]: $total = $a + $b;", in line order
};

struct Group {
    QString caption; // "Variables (2)"
    QList<Entry> entries;
};

struct FileNode {
    QString name;
    QString type;
    std::array<Group, 3> groups; // variables, functions, classes
};

QStringList SplitLines(const QString &text);
QString UpperAscii(const QString &text);
QString ReplaceAll(const QString &text, const QString &pattern, const QString &replacement);
QStringList ScanVariables(const QStringList &lines);
QStringList ScanDeclarations(QStringList &lines, const QString &keyword);

QList<FileNode> BuildTree(const QList<SourceFile> &files);

} // namespace reference
