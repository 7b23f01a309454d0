#include "TranslationTable.h"

#include <QFile>

namespace {

constexpr QStringView LanguageCodes[TranslationTable::Languages] = {u"en", u"hr", u"fr", u"de"};

int languageOf(QStringView code)
{
    for (int language = 0; language < TranslationTable::Languages; ++language)
        if (code == LanguageCodes[language])
            return language;
    return -1;
}

// The cell's text with its two escapes undone; nothing for an unknown escape.
std::optional<QString> unescaped(QStringView cell)
{
    QString text;
    text.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] != u'\\') {
            text += cell[i];
            continue;
        }
        if (++i == cell.size())
            return std::nullopt;
        if (cell[i] == u'n')
            text += QStringLiteral("\r\n");
        else if (cell[i] == u'\\')
            text += u'\\';
        else
            return std::nullopt;
    }
    return text;
}

} // namespace

std::optional<TranslationTable> parseTranslationTable(QStringView text, QString *error)
{
    TranslationTable table;
    constexpr qsizetype RecordSize = TranslationTable::Languages + 1;
    qsizetype record = -1; // where the open record's key stands in Words
    int lineNumber = 0;
    const auto fail = [&](const QString &what) {
        *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
        return std::nullopt;
    };
    for (QStringView line : text.split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty()) {
            record = -1;
        } else if (line.startsWith(u'#')) {
            continue;
        } else if (line.startsWith(u"@DoNot ")) {
            table.DoNot = line.sliced(7).toString().split(u',', Qt::SkipEmptyParts);
        } else if (line.startsWith(u"@CharSets ")) {
            table.CharSets = line.sliced(10).toString().split(u';');
        } else if (line.startsWith(u'\t')) {
            if (record < 0)
                return fail(QStringLiteral("a cell without a key"));
            const int language = line.size() > 3 && line[3] == u' ' ? languageOf(line.sliced(1, 2)) : -1;
            if (language < 0)
                return fail(QStringLiteral("a cell without a language code (en, hr, fr, de)"));
            QString &cell = table.Words[record + 1 + language];
            if (!cell.isEmpty())
                return fail(QStringLiteral("a second cell for %1").arg(LanguageCodes[language]));
            const std::optional<QString> value = unescaped(line.sliced(4));
            if (!value)
                return fail(QStringLiteral("an unknown escape"));
            cell = *value;
        } else {
            if (record >= 0)
                return fail(QStringLiteral("a key inside a record"));
            record = table.Words.size();
            table.Words.append(line.toString());
            table.Words.resize(record + RecordSize);
        }
    }
    return table;
}

TranslationTable windowTable(const QString &name)
{
    QFile file(QStringLiteral(":/localisation/%1.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString error;
    // The tables are compiled in and checked by the tests, so a fault here is a fault of the build.
    return parseTranslationTable(QString::fromUtf8(file.readAll()), &error).value_or(TranslationTable{});
}
