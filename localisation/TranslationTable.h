#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A window's translation table: records of a key and one cell per language (English, Croatian,
// French, German), kept one after another in Words as the translator reads them. A key is
// "%Form%" (the window's title), a component name, "\"" (the next value of the component above)
// or "\".Hint" (its tooltip).
struct TranslationTable {
    static constexpr int Languages = 4;
    QStringList Words;
    QStringList DoNot; // components never entered in the table
    QStringList CharSets; // "face,character set" for each language
};

// Reads the text form of a table:
//   # comment
//   @DoNot name,name
//   @CharSets cell;cell;cell;cell
// then records separated by blank lines, each a key line followed by up to four cell lines of a
// tab, a language code (en, hr, fr, de), a blank and the text; a missing cell is empty. In a
// cell "\n" stands for a line break (CR LF) and "\\" for a backslash.
// On a fault nothing is returned and *error names the line and what is wrong.
std::optional<TranslationTable> parseTranslationTable(QStringView text, QString *error);

// The table compiled into the program under name ("main", "options", ...); an empty table for a
// name that has none.
TranslationTable windowTable(const QString &name);
