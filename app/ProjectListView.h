#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QString>

class ProjectController;
class QMenu;
class QTreeWidget;

// The project file list and the menu of project files, built from the controller's project:
// the project row with a row per file under it. Choosing a row or an entry focuses it. It must
// not outlive the controller.
class ProjectListView : public QObject
{
    Q_OBJECT

public:
    // iconFolder holds the list's pictures, by file kind.
    ProjectListView(ProjectController &projects, QTreeWidget *list, QMenu *filesMenu, QString iconFolder);

    // The list's row of the current item: 0 the project, n file n - 1; -1 for none.
    int currentRow() const;
    // Brings the menu of project files up to date; it is built when it opens.
    void fillFilesMenu();

private:
    void RebuildFileList();
    QIcon icon(const QString &name);
    void showFocus(int row);
    void markActive(int index);
    // The file's name, with its full path in brackets when it lies outside the project folder.
    QString fileCaption(int index) const;

    ProjectController &m_projects;
    QTreeWidget *m_list;
    QMenu *m_filesMenu;
    QString m_iconFolder;
    QHash<QString, QIcon> m_icons; // the pictures, loaded once each
    bool m_filesMenuBuilt = false;
};
