#pragma once

#include <QWidget>

class FileExplorer;
class QComboBox;
class QStatusBar;
class QToolButton;

// The file browser of the left pane (pnlFiles): the drive box and view and up buttons, the
// folder's entries, the file mask box and the folder shown below.
class FileBrowserPane : public QWidget
{
    Q_OBJECT

public:
    explicit FileBrowserPane(QWidget *parent = nullptr);

    FileExplorer *explorer() const { return m_explorer; }

    QString directory() const;
    void setDirectory(const QString &directory);
    QString mask() const;
    void setMask(const QString &mask);
    // Filters the list by the mask box's text, once the window is shown.
    void applyMask();

signals:
    void directoryChanged(const QString &directory);

private:
    QComboBox *m_drives;
    QToolButton *m_view;
    QToolButton *m_up;
    FileExplorer *m_explorer;
    QComboBox *m_mask;
    QStatusBar *m_directory;
};
