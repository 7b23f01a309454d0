#include "WordTableModel.h"

#include "TextEncoding.h"

WordTableModel::WordTableModel(QString fieldName, int maxLength, QObject *parent)
    : QAbstractTableModel(parent),
      m_fieldName(std::move(fieldName)),
      m_maxLength(maxLength)
{ }

void WordTableModel::fill(const QStringList &entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int WordTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int WordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant WordTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_entries[index.row()];
}

void WordTableModel::setFieldName(const QString &name)
{
    m_fieldName = name;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

QVariant WordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? QVariant(m_fieldName) : QVariant(section + 1);
}

Qt::ItemFlags WordTableModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool WordTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    // A line break would split the entry into two lines of the file.
    QString text = value.toString();
    text.truncate(std::find_if(text.begin(), text.end(), isLineEnd) - text.begin());
    text.truncate(m_maxLength);
    m_entries[index.row()] = text;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

bool WordTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_entries.insert(row, QString());
    endInsertRows();
    // An inserted row is posted when the dialog closes, even left empty.
    emit edited();
    return true;
}

bool WordTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_entries.remove(row, count);
    endRemoveRows();
    emit edited();
    return true;
}
