#pragma once

#include "FileFilters.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// The file chooser of Open, Add File and Save As, and the folder chooser of Project Properties. It reads folders by their byte names, so a
// file whose name is not UTF-8 (shown with U+FFFD) is listed and chosen with its exact name.
class FileChooserDialog : public QDialog
{
    Q_OBJECT

public:
    // Folder chooses the folder shown: it lists folders only.
    enum class Mode { Open, Save, Folder };

    // start: a folder, or a file whose folder opens with its name proposed. In Save mode a name
    // typed without extension gets defaultSuffix.
    FileChooserDialog(Mode mode, const QString &title, const QString &start, const QList<FileFilter> &filters,
                      const QString &defaultSuffix = {}, QWidget *parent = nullptr);

    // The chosen file after Open or Save; empty otherwise.
    QString chosenPath() const { return m_chosen; }
    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);

    QTreeWidget *list() const { return m_list; }
    QLineEdit *nameBox() const { return m_name; }

    // Takes the name box as the user's choice: a folder opens, a file is chosen (asking first
    // when Save would replace it).
    void choose();

private:
    void refill();
    void itemChosen(QTreeWidgetItem *item);
    QString typedPath() const;

    Mode m_mode;
    QList<FileFilter> m_filters;
    QString m_defaultSuffix;
    QString m_folder;
    QString m_listedName; // the exact name of the entry last picked in the list
    QString m_chosen;
    QLineEdit *m_folderBox;
    QTreeWidget *m_list;
    QLineEdit *m_name;
    QComboBox *m_filterBox;
};
