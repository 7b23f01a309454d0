#pragma once

#include "PropertiesDialog.h"

#include <QString>

#include <optional>

class QWidget;

// Everything the main window asks the user: file choosers, errors and questions. The window
// talks to this interface so that its flows run the same under tests, where a script answers.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // Paths the user chose; empty when cancelled.
    virtual QString openFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &path, const QString &filter,
                             const QString &defaultSuffix) = 0;

    virtual void error(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // OK and Cancel; true for OK.
    virtual bool confirm(const QString &text) = 0;
    // The Project Properties dialog; nullopt when cancelled.
    virtual std::optional<PropertiesFields> projectProperties(const PropertiesFields &fields) = 0;
};

// The ordinary dialogs of the desktop.
class DialogPrompts : public Prompts
{
public:
    explicit DialogPrompts(QWidget *parent) : m_parent(parent) {}

    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &path, const QString &filter,
                     const QString &defaultSuffix) override;
    void error(const QString &text) override;
    void information(const QString &text) override;
    bool confirm(const QString &text) override;
    std::optional<PropertiesFields> projectProperties(const PropertiesFields &fields) override;

private:
    QWidget *m_parent;
};

// "Web-prg Files|*.php; *.html|All Files|*.*" as a file dialog filter list.
QString dialogFilter(const QString &pipeSeparated);
