#pragma once

#include <QListView>

class QFileSystemModel;

// The file list of the left pane: the entries of one folder, filtered by a file mask of
// ";"-separated patterns, folders first.
class FileExplorer : public QListView
{
    Q_OBJECT

public:
    explicit FileExplorer(QWidget *parent = nullptr);

    QString directory() const { return m_directory; }
    // A folder that does not exist is ignored.
    void setDirectory(const QString &directory);

    QString mask() const { return m_mask; }
    void setMask(const QString &mask);

    // Goes to the parent folder.
    void up();

signals:
    void directoryChanged(const QString &directory);

private:
    QFileSystemModel *m_model;
    QString m_directory;
    QString m_mask;
};
