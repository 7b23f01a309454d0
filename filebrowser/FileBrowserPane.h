#pragma once

#include "ExplorerEntries.h"

#include <QWidget>

class FileExplorer;
class QActionGroup;
class QComboBox;
class QStatusBar;
class QToolButton;

// The file browser of the left pane (pnlFiles): the drive box and the view and up buttons, the
// folder's entries, the file mask box and the folder shown below.
class FileBrowserPane : public QWidget
{
    Q_OBJECT

public:
    explicit FileBrowserPane(QWidget *parent = nullptr);

    FileExplorer *explorer() const { return m_explorer; }

    QString directory() const;
    void setDirectory(const QString &directory);
    // Writes the folder shown in the line below the list again (a change of language blanks it).
    void showDirectoryLine();
    QString mask() const;
    void setMask(const QString &mask);
    // Filters the list by the mask box's text, once the window is shown.
    void applyMask();

signals:
    void directoryChanged(const QString &directory);

private:
    QToolButton *createViewButton();
    void fillDrives(const QList<ExplorerEntry> &drives);
    // The list was filled: the folder, or why it could not be read, goes below it.
    void MFileExplorerChange(const QString &error);
    // The drive box shows the drive of the folder listed.
    void showDriveOf(const QString &directory);
    void DriveComboBox1Change(int index);

    QComboBox *m_drives;
    QToolButton *m_view;
    QToolButton *m_up;
    FileExplorer *m_explorer;
    QComboBox *m_mask;
    QStatusBar *m_directory;
    QList<ExplorerEntry> m_driveList;
};
