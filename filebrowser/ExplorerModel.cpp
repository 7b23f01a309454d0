#include "ExplorerModel.h"

#include "DiskFiles.h"
#include "FolderListing.h"
#include "NativePath.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// A burst of changes on disk (a build, an unpacked archive) lists the folder once.
constexpr int ChangeSettleMs = 200;

struct ColumnSetting {
    const char *title;
    int width;
    Qt::Alignment alignment;
};
// clang-format off
constexpr ColumnSetting FolderColumns[] = {
    {"Name", 140, Qt::AlignLeft}, {"Size", 70, Qt::AlignRight}, {"Type", 150, Qt::AlignLeft},
    {"Modified", 120, Qt::AlignLeft}, {"Attributes", 60, Qt::AlignLeft},
};
constexpr ColumnSetting DriveColumns[] = {
    {"Name", 140, Qt::AlignLeft}, {"Type", 100, Qt::AlignLeft}, {"Disk Size", 100, Qt::AlignRight},
    {"Free Space", 100, Qt::AlignRight}, {"Attributes", 60, Qt::AlignLeft},
};
// clang-format on

QString modifiedText(qint64 seconds)
{
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(seconds), QLocale::ShortFormat);
}

QString driveColumnText(const ExplorerEntry &drive, int column)
{
    switch (column) {
    case ExplorerModel::SizeColumn: return drive.driveType;
    case ExplorerModel::TypeColumn: return groupedSize(drive.size);
    case ExplorerModel::ModifiedColumn: return groupedSize(drive.free);
    default: return QString();
    }
}

} // namespace

ExplorerModel::ExplorerModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_changedOnDisk.setSingleShot(true);
    m_changedOnDisk.setInterval(ChangeSettleMs);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_changedOnDisk, qOverload<>(&QTimer::start));
    connect(&m_changedOnDisk, &QTimer::timeout, this, &ExplorerModel::refresh);
}

ExplorerModel::~ExplorerModel()
{
    dropFill();
}

void ExplorerModel::dropFill()
{
    // A watcher of its own for each listing: a new future on the same watcher could still be
    // handed the old one's queued reports.
    if (!m_fill)
        return;
    m_fill->disconnect(this);
    m_fill->cancel();
    m_fill->deleteLater();
    m_fill = nullptr;
}

bool ExplorerModel::setDirectory(const QString &directory)
{
    QString path = directory;
    if (directory.compare(Drives, Qt::CaseInsensitive) == 0) {
        path = Drives.toString();
    } else {
        const QString base = showsDrives() || m_directory.isEmpty() ? QDir::homePath() : m_directory;
        path = withTrailingSlash(QDir::cleanPath(QDir::isAbsolutePath(path) ? path : base + u'/' + path));
        if (!diskEntry(path).isFolder)
            return false;
    }
    if (path != m_directory) {
        m_directory = path;
        emit directoryChanged(m_directory);
        fill();
    }
    return true;
}

void ExplorerModel::setMask(const QString &mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    fill();
}

void ExplorerModel::setFileType(FileType types)
{
    if (types == m_fileType)
        return;
    m_fileType = types;
    fill();
}

void ExplorerModel::up()
{
    if (showsDrives())
        return;
    setDirectory(m_directory == u"/" ? Drives.toString() : parentFolderOf(m_directory));
}

void ExplorerModel::refresh()
{
    QString folder = m_directory;
    while (!showsDrives() && !diskEntry(folder).isFolder && folder != u"/")
        folder = parentFolderOf(folder);
    if (folder == m_directory)
        fill();
    else
        setDirectory(folder);
}

void ExplorerModel::fill()
{
    if (m_directory.isEmpty())
        return;
    dropFill();
    watch();
    m_filling = true;
    emit fillStarted();
    m_fill = new QFutureWatcher<ExplorerListing>(this);
    connect(m_fill, &QFutureWatcher<ExplorerListing>::resultReadyAt, this, &ExplorerModel::takeResult);
    connect(m_fill, &QFutureWatcher<ExplorerListing>::finished, this, &ExplorerModel::takeListing);
    if (showsDrives()) {
        m_fill->setFuture(QtConcurrent::run([] { return ExplorerListing{listDrives(), {}}; }));
        return;
    }
    // The names first, so the rows are on screen at once; then the same rows with their details.
    m_fill->setFuture(QtConcurrent::run([folder = m_directory, patterns = maskPatterns(m_mask),
                                         types = m_fileType](QPromise<ExplorerListing> &promise) {
        const auto stop = [&promise] { return promise.isCanceled(); };
        ExplorerListing listing = listFolder(folder, patterns, types, stop);
        promise.addResult(listing);
        readDetails(folder, listing.entries, stop);
        promise.addResult(std::move(listing));
    }));
}

void ExplorerModel::takeResult(int index)
{
    ExplorerListing listing = m_fill->resultAt(index);
    if (index > 0) {
        m_entries = std::move(listing.entries);
        if (!m_entries.isEmpty())
            emit dataChanged(this->index(0, SizeColumn), this->index(rowCount() - 1, AttributesColumn));
        return;
    }
    beginResetModel();
    m_entries = std::move(listing.entries);
    m_error = listing.error;
    m_mimeOfName.clear();
    endResetModel();
}

void ExplorerModel::takeListing()
{
    m_filling = false;
    emit filled(m_error);
}

void ExplorerModel::watch()
{
    if (const QStringList watched = m_watcher.directories(); !watched.isEmpty())
        m_watcher.removePaths(watched);
    if (!showsDrives() && !hasForeignBytes(m_directory))
        m_watcher.addPath(m_directory);
}

int ExplorerModel::columnWidth(int column) const
{
    return (showsDrives() ? DriveColumns : FolderColumns)[column].width;
}

int ExplorerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int ExplorerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ExplorerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const ExplorerEntry &entry = m_entries[index.row()];
    const bool isFolder = entry.kind == ExplorerEntry::Kind::Folder;
    switch (role) {
    case PathRole: return entry.path;
    case KindRole:
        return isFolder                               ? QStringLiteral("dir")
            : entry.kind == ExplorerEntry::Kind::File ? QStringLiteral("file")
                                                      : QStringLiteral("drv");
    case Qt::DecorationRole: return index.column() == NameColumn ? QVariant(icon(index.row())) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((showsDrives() ? DriveColumns : FolderColumns)[index.column()].alignment
                                   | Qt::AlignVCenter);
    case Qt::DisplayRole: break;
    default: return {};
    }
    if (entry.kind == ExplorerEntry::Kind::Drive && index.column() != NameColumn)
        return driveColumnText(entry, index.column());
    switch (index.column()) {
    case NameColumn: return displayPath(entry.name);
    case SizeColumn: return isFolder ? QStringLiteral(" ") : QString::number(entry.size);
    case TypeColumn: return typeName(index.row());
    case ModifiedColumn: return modifiedText(entry.modified);
    case AttributesColumn: return attributeLetters(entry.attributes);
    default: return {};
    }
}

QVariant ExplorerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    const ColumnSetting &setting = (showsDrives() ? DriveColumns : FolderColumns)[section];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(setting.title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(setting.alignment | Qt::AlignVCenter);
    return {};
}

QMimeType ExplorerModel::mimeType(int row) const
{
    const ExplorerEntry &entry = m_entries[row];
    if (entry.kind != ExplorerEntry::Kind::File)
        return m_mimeDatabase.mimeTypeForName(QStringLiteral("inode/directory"));
    // The type follows the name's extensions, so the names that share them (nearly all of a large
    // folder) share one lookup; a name without one ("Makefile") is looked up as it is.
    const QString name = displayPath(entry.name);
    const qsizetype dot = name.indexOf(u'.', 1);
    const QString key = dot > 0 ? u'x' + name.mid(dot) : name;
    auto found = m_mimeOfName.constFind(key);
    if (found == m_mimeOfName.cend())
        found = m_mimeOfName.insert(key, m_mimeDatabase.mimeTypeForFile(key, QMimeDatabase::MatchExtension));
    return *found;
}

QString ExplorerModel::typeName(int row) const
{
    // A type the desktop does not know is named after the extension, as "VLMP file".
    const QMimeType type = mimeType(row);
    if (!type.isDefault())
        return type.comment();
    const QString name = displayPath(m_entries[row].name);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.mid(dot + 1).toUpper() + QStringLiteral(" file") : QStringLiteral("File");
}

QIcon ExplorerModel::icon(int row) const
{
    if (m_entries[row].kind == ExplorerEntry::Kind::Drive)
        return QIcon::fromTheme(QStringLiteral("drive-harddisk"));
    const QMimeType type = mimeType(row);
    auto found = m_iconOfMime.constFind(type.name());
    if (found == m_iconOfMime.cend())
        found = m_iconOfMime.insert(type.name(),
                                    QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName())));
    return *found;
}
