#pragma once

#include "ControlTexts.h"
#include "TranslationTable.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// The translator each window carries, always named MultiLang1: it rewrites the texts of the
// window's controls (captions, tooltips, list items, menu texts, dialog titles and filters) from
// the window's translation table in one of four languages. Every live translator is registered,
// so that a change of language reaches every open window at once.
class MultiLang : public QObject
{
    Q_OBJECT
public:
    enum Language { English, Croatian, French, German };

    MultiLang(QWidget *window, TranslationTable table);
    ~MultiLang() override;
    MultiLang(const MultiLang &) = delete;
    MultiLang &operator=(const MultiLang &) = delete;

    // Switches the window to language n; a number not below Languages is refused with a message
    // and changes nothing, and so is a table whose length is not a whole number of records.
    void SetActiveLanguage(int n);
    // Called once the window is built: switches it to the program's current language.
    void Loaded();
    int ActiveLanguage() const { return m_active; }
    const TranslationTable &table() const { return m_table; }

    // Every registered translator with more than n languages switches to n, in the order they
    // were created; then n is the current language.
    static void SwitchAllLanguages(int n);
    static int currentLanguage();
    // How a refusal reaches the user (an information box with a Cancel button); tests replace it.
    static std::function<void(QWidget *window, const QString &message)> &refusal();

    int DefaultLanguage = English;
    bool DefaultEnabled = true;
    int Languages = TranslationTable::Languages;
    TranslateEdits TranslateEditsMode = TranslateEdits::teReadOnly;

private:
    void rememberFont(int language);
    void applyFont(int language);
    void walk();

    QPointer<QWidget> m_window;
    TranslationTable m_table;
    int m_active = English;
};

// Gives window its translator over the table compiled in under tableName and switches it to the
// current language: the last step of building a window.
MultiLang *translateWindow(QWidget *window, const QString &tableName);
