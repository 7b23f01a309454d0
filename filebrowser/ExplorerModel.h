#pragma once

#include "ExplorerEntries.h"

#include <QAbstractTableModel>
#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QTimer>

// The file browser's list: a folder's entries (or the drives) filtered by a mask and by file
// types, in the list's order. The folder is the model's own: the process's working folder never
// changes with it. Listing runs in the background: the names first, then their details. The
// folder is watched, so the list follows changes on disk.
class ExplorerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The columns of the detail view: the caption and the four shown sub-items.
    enum Column { NameColumn, SizeColumn, TypeColumn, ModifiedColumn, AttributesColumn, ColumnCount };
    enum Role { PathRole = Qt::UserRole, KindRole };
    // What Directory holds while the drives are listed.
    static constexpr QStringView Drives = u"Drives";

    explicit ExplorerModel(QObject *parent = nullptr);
    ~ExplorerModel() override;

    QString directory() const { return m_directory; }
    bool showsDrives() const { return m_directory == Drives; }
    // "Drives" in any case lists the drives; a folder that exists is listed, its path resolved
    // against the current one and ending in "/"; anything else is ignored (false).
    bool setDirectory(const QString &directory);
    QString mask() const { return m_mask; }
    void setMask(const QString &mask);
    void setFileType(FileType types);
    // The parent folder; from "/" the drives; nothing in the drives.
    void up();
    // Lists again; a folder that has gone is left for the nearest one that is still there.
    void refresh();
    // Until filled() is emitted for the current listing.
    bool filling() const { return m_filling; }

    const ExplorerEntry &entry(int row) const { return m_entries[row]; }
    // The column's width in the detail view, as the current listing sets it.
    int columnWidth(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void directoryChanged(const QString &directory);
    void fillStarted();
    // The rows of the current folder are in with their details (shown without them from the
    // model's reset on); error holds why the folder could not be read.
    void filled(const QString &error);

private:
    void fill();
    // Lets the listing under way go: nothing it still reports reaches the model.
    void dropFill();
    // The names of the listing (result 0), or the same rows with their details.
    void takeResult(int index);
    void takeListing();
    void watch();
    QString typeName(int row) const;
    QIcon icon(int row) const;
    QMimeType mimeType(int row) const;

    QString m_directory;
    QString m_mask = QStringLiteral("*.*");
    FileType m_fileType = AllFileTypes;
    QList<ExplorerEntry> m_entries;
    QString m_error;
    QFutureWatcher<ExplorerListing> *m_fill = nullptr;
    bool m_filling = false;
    QFileSystemWatcher m_watcher;
    QTimer m_changedOnDisk;
    QMimeDatabase m_mimeDatabase;
    // The type of each extension, found when first shown: the lookup is the slow part of a row.
    mutable QHash<QString, QMimeType> m_mimeOfName;
    mutable QHash<QString, QIcon> m_iconOfMime;
};
