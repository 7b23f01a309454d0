#include "FileExplorer.h"

#include <QDir>
#include <QFileSystemModel>

FileExplorer::FileExplorer(QWidget *parent) : QListView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::AllEntries | QDir::NoDot | QDir::Hidden | QDir::System);
    m_model->setNameFilterDisables(false);
    setModel(m_model);
    setViewMode(QListView::ListMode);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDirectory(QDir::homePath());
    setMask(QStringLiteral("*.*"));
}

void FileExplorer::setDirectory(const QString &directory)
{
    const QDir dir(directory);
    if (!dir.exists())
        return;
    QString path = dir.canonicalPath();
    if (!path.endsWith(u'/'))
        path += u'/';
    if (path == m_directory)
        return;
    m_directory = path;
    setRootIndex(m_model->setRootPath(path));
    emit directoryChanged(m_directory);
}

void FileExplorer::setMask(const QString &mask)
{
    if (mask == m_mask)
        return;
    m_mask = mask;
    QStringList patterns;
    for (const QString &pattern : mask.split(u';', Qt::SkipEmptyParts))
        patterns.append(pattern.trimmed() == u"*.*" ? QStringLiteral("*") : pattern.trimmed());
    m_model->setNameFilters(patterns);
}

void FileExplorer::up()
{
    QDir dir(m_directory);
    if (dir.cdUp())
        setDirectory(dir.path());
}
