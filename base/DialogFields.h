#pragma once

#include "SysOptionsFields.h"

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

// What the Project Properties, Save Files and Code Explorer dialogs give back, as plain values, so that
// the flows that ask them run without a window.

// The Project Properties dialog's boxes. The description travels as its lines; turning them into
// the project's one-line form is the caller's business.
struct PropertiesFields {
    QString name;
    QString path;
    QStringList descriptionLines;
    QString url;
    bool asIs = false; // the remembered "Leave this URL As-Is" tick

    bool operator==(const PropertiesFields &) const = default;
};

// One line of the Save Files list: what the user sees and the caller's key for what it saves.
struct SaveFileRow {
    static constexpr int ProjectId = -1;

    QString text;
    int id = ProjectId;

    // "name <folder + project file name>".
    static SaveFileRow forProject(const QString &name, const QString &projectFilePath);
    // "file name without folder <full path>", keyed by the file's table index.
    static SaveFileRow forFile(const QString &fileName, int index);
};

// The caller's answer after trying to save one row.
// clang-format off
enum class SaveOutcome {
    Saved,    // written; the row is done
    NotSaved, // left unsaved (the user cancelled the save dialog); the caller will not go on
    Stop,     // a save error: stop here and keep this row and the ones above it in the list
};
// clang-format on

using SaveRowFunction = std::function<SaveOutcome(int id)>;

// The OK step of the Save Files question: the marked rows are saved from the last to the first,
// so the project row (the first) is saved after the files it lists. Answers how many rows from the
// top are left to show: every row up to the one whose save stopped, or 0 when none stopped.
// *allSaved turns false when a marked row was left unsaved; it is never set back to true.
int saveMarkedRows(const QList<SaveFileRow> &rows, const QList<bool> &marked, const SaveRowFunction &save,
                   bool *allSaved);

// One file of the recovery question: its name as the list shows it and the text kept of it.
struct RecoveryRow {
    QString name;
    QString text;
};
// What the recovery question answers: the kept work restored, thrown away, or left for later.
enum class RecoveryAnswer { Later, Restore, Discard };

// What a double-click in the Code Explorer chose: a file (its position in the file table) and a
// line of it (0: the file only).
struct ExplorerChoice {
    qsizetype file = -1;
    int line = 0;
    bool operator==(const ExplorerChoice &) const = default;
};

// The Search/Replace dialog's boxes.
struct SearchFields {
    QString find;
    QString replace;
    bool matchCase = false;
    bool wholeWord = false;
    bool entireScope = false;
    bool confirm = false;
    bool regularExpression = false; // Search in Project only
    bool operator==(const SearchFields &) const = default;
};
// The Search/Replace dialog's forms: a search, a replace, or a search of every project file.
enum class SearchForm { Search, Replace, Project };
// How the Search/Replace dialog was closed.
enum class SearchAnswer { Cancel, Ok, ReplaceAll };

// The Options dialog's controls: the settings as its boxes show them, the three size boxes as
// the text typed there, and the keyword and function tables. tablesEdited: a row was posted or
// deleted since the tables were filled.
struct OptionsFields {
    SysOptions options;
    QString fontSize;
    QString tabWidth;
    QString rightEdge;
    QStringList keywords;
    QStringList functions;
    bool tablesEdited = false;
};

// The printer the Print dialog chose, and the page its Setup... chose.
struct PrintPage {
    QString printer; // empty: Print to PDF
    QSizeF paperSize; // millimetres; empty: the printer's own
    bool landscape = false;
    int copies = 1;
    bool operator==(const PrintPage &) const = default;
};

// The Print dialog's controls. The margins travel as the text typed in their boxes.
struct PrintFields {
    QString document; // the file's name, after the window's caption
    PrintPage page;
    bool selectionEnabled = false; // the editor has a selection
    bool selection = false;
    bool wrap = false;
    bool numbers = false;
    bool color = false;
    QString top = QStringLiteral("10");
    QString bottom = QStringLiteral("10");
    QString left = QStringLiteral("10");
    QString right = QStringLiteral("10");
    QString header = QStringLiteral("5"); // kept, not used
    bool operator==(const PrintFields &) const = default;
};
// How the Print dialog was closed: by Cancel, by Print, or by Print Preview.
enum class PrintAnswer { Cancel, Print, Preview };
