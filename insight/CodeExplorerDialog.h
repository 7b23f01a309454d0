#pragma once

#include "CodeExplorerModel.h"

#include <QDialog>

#include <optional>

class QTreeWidget;
class QTreeWidgetItem;

// The Code Explorer window: the project, its files, their variables, functions and classes, and
// under each name the lines that mention it (filled when the name is opened). A double-click on
// anything below the project closes the window with that choice.
class CodeExplorerDialog : public QDialog
{
    Q_OBJECT

public:
    // focusRow: 0 for the project, k for the k-th file (which then shows its groups).
    CodeExplorerDialog(const CodeExplorerModel &model, const QString &projectName, int focusRow,
                       const QString &iconFolder, QWidget *parent = nullptr);

    std::optional<ExplorerChoice> choice() const { return m_choice; }
    QTreeWidget *tree() const { return m_tree; }

    // The tree's levels, from the project (0) to a source line (4).
    enum Level { ProjectLevel, FileLevel, GroupLevel, EntryLevel, LineLevel };
    static Level levelOf(const QTreeWidgetItem *item);

private:
    void build(const QString &projectName, int focusRow);
    void fillLines(QTreeWidgetItem *entry);
    void choose(QTreeWidgetItem *item);
    QIcon icon(const QString &name) const;

    const CodeExplorerModel &m_model;
    QString m_iconFolder;
    QTreeWidget *m_tree;
    std::optional<ExplorerChoice> m_choice;
};
