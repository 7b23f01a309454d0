#pragma once

#include "Prompts.h"

class EditorWidget;
class PlacementStore;
class SynCustomHighlighter;
class QWidget;

// The ordinary dialogs of the desktop.
class DialogPrompts : public Prompts
{
public:
    // iconFolder: where the Code Explorer's pictures are; placement: where it remembers its place;
    // mainEditor and preview: what the Options dialog's colour preview looks like and shows.
    DialogPrompts(QWidget *parent, QString iconFolder, PlacementStore &placement, const EditorWidget &mainEditor,
                  SynCustomHighlighter *preview)
        : m_parent(parent),
          m_iconFolder(std::move(iconFolder)),
          m_placement(placement),
          m_mainEditor(mainEditor),
          m_preview(preview)
    { }

    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &path, const QString &filter,
                     const QString &defaultSuffix) override;
    void error(const QString &text) override;
    void errorList(const QString &text, const QStringList &items) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    int choose(const QString &text, const QStringList &buttons) override;
    RecoveryAnswer recoverFiles(const QString &text, const QList<RecoveryRow> &rows) override;
    std::optional<PropertiesFields> projectProperties(const PropertiesFields &fields) override;
    bool saveChangedFiles(const QList<SaveFileRow> &rows, const SaveRowFunction &save, bool *notAllSaved) override;
    std::optional<QString> askText(const QString &title, const QString &text) override;
    bool codeExplorer(const CodeExplorerModel &model, const QString &projectName, int focusRow,
                      ExplorerChoice *choice) override;
    SearchAnswer searchReplace(SearchForm form, SearchFields *fields) override;
    QString chooseVariable(const QStringList &names) override;
    bool options(OptionsFields *fields, SyntaxColourItems &colours) override;
    PrintAnswer printFile(PrintFields *fields) override;

private:
    QWidget *m_parent;
    QString m_iconFolder;
    PlacementStore &m_placement;
    const EditorWidget &m_mainEditor;
    SynCustomHighlighter *m_preview;
};
