#pragma once

#include <QStyledItemDelegate>

// Paints the rows of the project file list the way the list has always looked: the project in
// bold navy, files by kind (PHP maroon, HTML and CSS navy, others purple), red when selected in
// the focused list, modified files in bold, the active file on white.
class ProjectListDelegate : public QStyledItemDelegate
{
public:
    // Item data: the file's kind letter for the colour, and whether it is the active file.
    static constexpr int KindRole = Qt::UserRole + 1;
    static constexpr int ActiveRole = Qt::UserRole + 2;
    enum Kind { ProjectRow, PhpFile, MarkupFile, OtherFile };

    using QStyledItemDelegate::QStyledItemDelegate;

    static Kind kindOfType(const QString &fileType);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
