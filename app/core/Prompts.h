#pragma once

#include "DialogFields.h"

#include <QString>
#include <QStringList>

#include <optional>

class CodeExplorerModel;
class SyntaxColourItems;

// Everything the program asks the user: file choosers, errors and questions. The flows talk to
// this interface so that they run the same under tests, where a script answers.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // Paths the user chose; empty when cancelled.
    virtual QString openFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &path, const QString &filter,
                             const QString &defaultSuffix) = 0;

    virtual void error(const QString &text) = 0;
    // One error box for many items (thousands of missing files): the text, then the items.
    virtual void errorList(const QString &text, const QStringList &items) = 0;
    virtual void information(const QString &text) = 0;
    // OK and Cancel; true for OK.
    virtual bool confirm(const QString &text) = 0;
    // A question answered by one of the buttons (their texts, first the default): the index of
    // the one pressed, -1 when the box was closed without an answer.
    virtual int choose(const QString &text, const QStringList &buttons) = 0;
    // After a run that ended with unsaved work: text and the files whose work was kept, each
    // with its text to look at before deciding.
    virtual RecoveryAnswer recoverFiles(const QString &text, const QList<RecoveryRow> &rows) = 0;
    // The Project Properties dialog; nullopt when cancelled.
    virtual std::optional<PropertiesFields> projectProperties(const PropertiesFields &fields) = 0;
    // The Save Files question over unsaved work (never asked without rows): save runs for each row
    // the user has saved. True when the caller may go on; *notAllSaved tells whether a save left
    // marked work unsaved.
    virtual bool saveChangedFiles(const QList<SaveFileRow> &rows, const SaveRowFunction &save, bool *notAllSaved) = 0;
    // A line typed into an input box that starts with text; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &text) = 0;
    // The Code Explorer over model, captioned "Code Explorer: <project>", with the project row
    // (0) or a file row focused; true with *choice when something was chosen.
    virtual bool codeExplorer(const CodeExplorerModel &model, const QString &projectName, int focusRow,
                              ExplorerChoice *choice) = 0;
    // The Search/Replace dialog in one of its forms, opening with *fields; leaves its boxes in
    // *fields.
    virtual SearchAnswer searchReplace(SearchForm form, SearchFields *fields) = 0;
    // The Variables window over names: the text to insert, empty when cancelled.
    virtual QString chooseVariable(const QStringList &names) = 0;
    // The Options dialog, opening with *fields; its colour page edits the highlighters through
    // colours as the user works. True for OK, with the controls in *fields.
    virtual bool options(OptionsFields *fields, SyntaxColourItems &colours) = 0;
    // The Print dialog, opening with *fields; leaves its controls in *fields.
    virtual PrintAnswer printFile(PrintFields *fields) = 0;
};
