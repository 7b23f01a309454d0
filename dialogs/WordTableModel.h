#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// One of the Options dialog's word tables: a single column of entries of at most maxLength
// characters, none holding a line break. edited() is sent when a row is posted or deleted.
class WordTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    WordTableModel(QString fieldName, int maxLength, QObject *parent = nullptr);

    void fill(const QStringList &entries);
    const QStringList &entries() const { return m_entries; }
    int maxLength() const { return m_maxLength; }
    // The column's title.
    void setFieldName(const QString &name);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    bool insertRows(int row, int count, const QModelIndex &parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

signals:
    void edited();

private:
    QString m_fieldName;
    int m_maxLength;
    QStringList m_entries;
};
