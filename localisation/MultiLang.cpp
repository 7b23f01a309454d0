#include "MultiLang.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QWidget>

namespace {

QList<MultiLang *> &registry()
{
    static QList<MultiLang *> translators;
    return translators;
}

int &current()
{
    static int language = MultiLang::English;
    return language;
}

// The face the tables name for the system's own user-interface font.
constexpr QStringView SystemFace = u"MS Sans Serif";

// The components of window by name without regard to case; the first of a name wins.
QHash<QString, QObject *> componentsOf(QWidget *window)
{
    QHash<QString, QObject *> components;
    for (QObject *child : window->findChildren<QObject *>()) {
        const QString name = child->objectName().toCaseFolded();
        if (!name.isEmpty() && !components.contains(name))
            components.insert(name, child);
    }
    return components;
}

} // namespace

MultiLang::MultiLang(QWidget *window, TranslationTable table)
    : QObject(window),
      m_window(window),
      m_table(std::move(table))
{
    setObjectName(QStringLiteral("MultiLang1"));
    registry().append(this);
}

MultiLang::~MultiLang()
{
    registry().removeOne(this);
}

void MultiLang::SetActiveLanguage(int n)
{
    if (n < 0 || n >= Languages) {
        refusal()(m_window, QStringLiteral("Value must not be higher than\rnumber of available languages."));
        return;
    }
    if (m_table.Words.size() % (Languages + 1) != 0) {
        refusal()(m_window,
                  QStringLiteral("The translation table of this window is damaged: it does not hold whole "
                                 "records of a key and %1 texts.")
                      .arg(Languages));
        return;
    }
    rememberFont(m_active);
    m_active = n;
    applyFont(n);
    walk();
}

void MultiLang::Loaded()
{
    SetActiveLanguage(current());
}

// The window's font is kept as the old language's entry, so that switching back restores it.
void MultiLang::rememberFont(int language)
{
    if (!m_window)
        return;
    // Qt's fonts have no character set: the number the table gave the old language stays.
    const QString number = m_table.CharSets.value(language).section(u',', 1);
    const QString family = m_window->font().family();
    const QString face = family == QApplication::font().family() ? SystemFace.toString() : family;
    const QString current = face + u',' + (number.isEmpty() ? QStringLiteral("1") : number);
    while (m_table.CharSets.size() < Languages)
        m_table.CharSets.append(current);
    m_table.CharSets[language] = current;
}

// The text is Unicode, so a character set needs no font of its own; the tables' face for the
// system font stands for the application's font.
void MultiLang::applyFont(int language)
{
    const QString entry = m_table.CharSets.value(language);
    if (!m_window || entry.isEmpty())
        return;
    const QString face = entry.section(u',', 0, 0);
    QFont font = m_window->font();
    font.setFamily(face == SystemFace ? QApplication::font().family() : face);
    if (font != m_window->font())
        m_window->setFont(font);
}

void MultiLang::walk()
{
    if (!m_window)
        return;
    const QHash<QString, QObject *> components = componentsOf(m_window);
    TableCursor cursor(m_table.Words, {Languages, m_active, DefaultLanguage, DefaultEnabled});
    while (!cursor.atEnd()) {
        if (cursor.key() == u"%Form%") {
            if (const std::optional<QString> title = cursor.take())
                m_window->setWindowTitle(*title);
            else
                cursor.skip();
        } else if (QObject *component = components.value(cursor.key().toCaseFolded())) {
            applyGroup(component, cursor, TranslateEditsMode);
        } else {
            cursor.skip();
        }
    }
}

void MultiLang::SwitchAllLanguages(int n)
{
    for (MultiLang *translator : QList(registry()))
        if (translator->Languages > n)
            translator->SetActiveLanguage(n);
    current() = n;
}

int MultiLang::currentLanguage()
{
    return current();
}

std::function<void(QWidget *, const QString &)> &MultiLang::refusal()
{
    static std::function<void(QWidget *, const QString &)> show = [](QWidget *window, const QString &message) {
        QMessageBox::information(window, QApplication::applicationDisplayName(), message, QMessageBox::Cancel);
    };
    return show;
}

MultiLang *translateWindow(QWidget *window, const QString &tableName)
{
    auto *translator = new MultiLang(window, windowTable(tableName));
    translator->Loaded();
    return translator;
}
