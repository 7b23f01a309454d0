#pragma once

#include "ExplorerModel.h"

#include <QWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QStackedLayout;
class QTreeView;

// The file browser's list (MFileExplorer) over ExplorerModel, in one of four view styles: a list
// view shows the icons and the list, a tree view the details with their columns. Double-click
// or Enter on an entry reports it and then opens a folder or drive; Backspace and Ctrl+Up go up.
class FileExplorer : public QWidget
{
    Q_OBJECT

public:
    enum class ViewStyle { LargeIcons, SmallIcons, List, Detail };

    explicit FileExplorer(QWidget *parent = nullptr);

    ExplorerModel &model() { return *m_model; }
    QString directory() const { return m_model->directory(); }
    // A folder that does not exist is ignored.
    void setDirectory(const QString &directory) { m_model->setDirectory(directory); }
    void setMask(const QString &mask) { m_model->setMask(mask); }
    void up() { m_model->up(); }

    ViewStyle viewStyle() const { return m_style; }
    void setViewStyle(ViewStyle style);
    // The view that shows the entries in the current style.
    QAbstractItemView *view() const;

    // The entry last clicked, with any button, or last opened with Enter.
    QString SelectedPath() const { return m_selectedPath; }
    // The selected entries, or all when none is selected.
    int SelectedCount() const;
    // The full paths of the selected entries joined with ";"; *names gets their bare names.
    QString SelectedFilenames(QStringList *names = nullptr) const;

    // Opens the entry as a double-click does.
    void activateRow(int row);

signals:
    // An entry was double-clicked or Enter pressed on it, before the list opens a folder.
    void entryActivated(const QString &path);
    // Right-click on an entry, which is now the selected one.
    void contextMenuRequested(const ExplorerEntry &entry, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpView(QAbstractItemView *view);
    void keepPlaceAcrossRefills();
    void applyColumns();
    QList<int> selectedRows() const;
    void showContextMenu(QAbstractItemView *view, const QPoint &pos);

    ExplorerModel *m_model;
    QItemSelectionModel *m_selection;
    QStackedLayout *m_stack;
    QListView *m_list;
    QTreeView *m_details;
    ViewStyle m_style = ViewStyle::List;
    QString m_selectedPath;
    QString m_shownDirectory; // the folder the rows were last filled from
    QString m_currentPath; // the current entry before a refill of the same folder
};
