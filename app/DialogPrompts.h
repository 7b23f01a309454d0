#pragma once

#include "Prompts.h"

class QWidget;

// The ordinary dialogs of the desktop.
class DialogPrompts : public Prompts
{
public:
    explicit DialogPrompts(QWidget *parent) : m_parent(parent) { }

    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &path, const QString &filter,
                     const QString &defaultSuffix) override;
    void error(const QString &text) override;
    void errorList(const QString &text, const QStringList &items) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    std::optional<PropertiesFields> projectProperties(const PropertiesFields &fields) override;
    bool saveChangedFiles(const QList<SaveFileRow> &rows, const SaveRowFunction &save, bool *notAllSaved) override;

private:
    QWidget *m_parent;
};

// "Web-prg Files|*.php; *.html|All Files|*.*" as a file dialog filter list.
QString dialogFilter(const QString &pipeSeparated);
