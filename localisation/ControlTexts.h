#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QObject;

// How far the translator goes with edit boxes: never, only while they are read-only, always.
enum class TranslateEdits { teNever, teReadOnly, teAlways };

// The records of a translation table from a place on, as the translator walks them: records of a
// key and one cell per language.
class TableCursor
{
public:
    struct Settings {
        int languages = 4;
        int activeLanguage = 0;
        int defaultLanguage = 0;
        bool defaultEnabled = true;
    };
    TableCursor(const QStringList &words, Settings settings) : m_words(words), m_settings(settings) { }

    bool atEnd() const { return m_at >= m_words.size(); }
    QString key() const { return m_words.value(m_at); }
    bool atContinuation() const;
    bool atHint() const;
    qsizetype position() const { return m_at; }
    // The text of the record here in the active language (the default language's when that cell
    // is empty and the default is enabled), and the cursor on the next record; nothing, and the
    // cursor where it was, when the table ends before the active language's cell.
    std::optional<QString> take();
    void skip() { m_at += m_settings.languages + 1; }

private:
    const QStringList &m_words;
    Settings m_settings;
    qsizetype m_at = 0;
};

// Applies the group of records at the cursor (the component's name record, its continuation
// records and its hint) to component by the rules of its kind: captions, list items, status
// texts, menu texts, tooltips. The cursor ends past the group; it always moves on.
void applyGroup(QObject *component, TableCursor &cursor, TranslateEdits edits);

// The property a widget carries when its child buttons are a record navigator, whose group
// holds the buttons' tooltips in order.
inline constexpr char NavigatorProperty[] = "recordNavigator";
