#pragma once

#include <QWidgetAction>

// One entry of the menu of project files, painted as that menu has always looked: the file name
// in bold, then its full path in brackets when the file lies outside the project folder.
class FileMenuAction : public QWidgetAction
{
    Q_OBJECT

public:
    // caption: the name alone, or name + " <" + full path + ">".
    FileMenuAction(const QString &caption, QObject *parent);

    QString name() const;
    // The bracketed path, empty for a file in the project folder.
    QString path() const;

protected:
    QWidget *createWidget(QWidget *parent) override;
};
