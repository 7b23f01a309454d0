#pragma once

#include "DialogFields.h"
#include "Scanners.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One file as the Code Explorer reads it: the file table entry's name, type and text.
struct ExplorerSource {
    QString FileName;
    QString FileType;
    QString Text;
};

enum class ExplorerGroup { Variables, Functions, Classes };
inline constexpr std::array<ExplorerGroup, 3> ExplorerGroups = {ExplorerGroup::Variables, ExplorerGroup::Functions,
                                                                ExplorerGroup::Classes};

// What the Code Explorer shows for a project: per file the names of its three groups, and per
// name the lines that mention it. Every file is scanned once when the model is built; the lines
// of an entry are searched only when they are asked for, as the tree asks when an entry opens.
class CodeExplorerModel
{
public:
    explicit CodeExplorerModel(const QList<ExplorerSource> &files);

    qsizetype fileCount() const { return m_files.size(); }
    const QString &fileName(qsizetype file) const { return m_files[file].name; }
    const QString &fileType(qsizetype file) const { return m_files[file].type; }
    // The group's names in the order the scan found them (variables without their "$").
    const ScanResults &entries(qsizetype file, ExplorerGroup group) const;
    // "Variables (3)", "Functions (0)", "Classes (1)".
    QString groupCaption(qsizetype file, ExplorerGroup group) const;

    // The 1-based numbers of the lines that mention the entry, in line order: the lines whose
    // text holds "$" + name for a variable, the name for a function or class, ASCII letters
    // compared without regard to case. An empty name is in no line.
    QList<int> occurrenceLines(qsizetype file, ExplorerGroup group, qsizetype entry) const;
    // "[00012]: $total = $a + $b;": the line as the group's scan left it, trimmed.
    QString occurrenceCaption(qsizetype file, ExplorerGroup group, int line) const;

    // "[" + the number with at least five digits + "]: " + the text without leading and trailing
    // blanks and control characters.
    static QString lineCaption(int line, QStringView text);

private:
    struct ScannedFile {
        QString name;
        QString type;
        QString text; // shared with the file table's entry, never copied
        QList<QStringView> lines; // into text
        // Functions and classes are found in the lines as their scans left them: these are the
        // few lines the tag marks were taken out of.
        std::array<ChangedLines, 2> changed;
        std::array<ScanResults, 3> entries;
    };

    // Line i (from 0) of the file as the group's scan left it.
    QStringView lineOf(const ScannedFile &file, ExplorerGroup group, qsizetype i) const;

    QList<ScannedFile> m_files;
};
