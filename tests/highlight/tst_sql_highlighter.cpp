// The SQL highlighter: its tokens line by line, the states it carries between lines, its keyword
// table with table names and dialects, its attributes as built and as the main window sets them,
// and the token protocol on random and very long text.
#include "SynHighlighterSQL.h"

#include <QRandomGenerator>
#include <QtTest>

#include <variant>

namespace {

using K = SynSQLSyn::TokenKind;
using Dialect = SynSQLSyn::SQLDialect;
constexpr K Com = K::Comment, Id = K::Identifier, Key = K::Key, Num = K::Number, Sp = K::Space, Str = K::String,
            Sym = K::Symbol, Tab = K::TableName, Oth = K::Unknown, Var = K::Variable;

struct Tok {
    QString text;
    K kind;
};
using Toks = QList<Tok>;
using Ranges = QList<SynRangeState>;

QString kindName(int kind)
{
    static const char *const names[] = {"Comment", "DataType", "DefaultPackage", "Exception", "Function", "Identifier",
                                        "Key",     "Null",     "Number",         "Space",     "PLSQL",    "SQLPlus",
                                        "String",  "Symbol",   "TableName",      "Unknown",   "Variable"};
    return kind >= 0 && kind < int(std::size(names)) ? QString::fromLatin1(names[kind]) : QString::number(kind);
}

QString describe(const QString &text, int kind)
{
    return kindName(kind) + u'"' + text + u'"';
}

QStringList describe(const Toks &tokens)
{
    QStringList out;
    for (const Tok &token : tokens)
        out.append(describe(token.text, int(token.kind)));
    return out;
}

Toks symbols(const QStringList &texts)
{
    Toks out;
    for (const QString &text : texts)
        out.append({text, Sym});
    return out;
}

// The tokens of one line from the highlighter's current state, end-of-line token left out.
QStringList scan(SynSQLSyn &sql, QStringView line)
{
    QStringList out;
    sql.BeginLine(line, 0);
    for (int n = 0; !sql.AtLineEnd() && n <= line.size(); ++n) {
        out.append(describe(sql.TokenText().toString(), sql.TokenKindId()));
        sql.Advance();
    }
    return out;
}

// The kind of the first token of a word scanned alone.
K kindOf(SynSQLSyn &sql, const QString &word)
{
    sql.ClearRange();
    sql.BeginLine(word, 0);
    return sql.TokenText() == word ? static_cast<K>(sql.TokenKindId()) : K::Null;
}

// The chain a keyword belongs in: doubled at every character, plus "_" 1 and letters 2 to 27.
int expectedHash(const QString &keyword)
{
    int hash = 0;
    for (QChar c : keyword) {
        const char16_t lower = c.toLower().unicode();
        const int value = lower == u'_' ? 1 : lower >= u'a' && lower <= u'z' ? lower - u'a' + 2 : 0;
        hash = (2 * hash + value) % 256;
    }
    return hash;
}

int entryCount(const SynHashEntryList &table)
{
    int count = 0;
    for (int i = 0; i < table.Count(); ++i)
        for (const SynHashEntry *entry = table.Get(i); entry; entry = entry->Next.get())
            ++count;
    return count;
}

struct Span {
    qsizetype start;
    qsizetype length;
    int kind;
    bool operator==(const Span &) const = default;
};

struct LineScan {
    QList<Span> spans;
    SynRangeState end = 0;
    bool operator==(const LineScan &) const = default;
};

// Scans a line from the given state and checks the token protocol on the way: tokens start at 0,
// are contiguous, non-empty and within the line, carry an attribute, and end in one end-of-line
// token at the first NUL (or the line's end) that Advance leaves in place. Answers the scan, or
// the first broken rule.
std::variant<LineScan, QString> scanChecked(SynSQLSyn &sql, QStringView line, SynRangeState start)
{
    const qsizetype nul = line.indexOf(QChar(0));
    const qsizetype covered = nul < 0 ? line.size() : nul;
    LineScan result;
    qsizetype next = 0;
    sql.RestoreRange(start);
    sql.BeginLine(line, 0);
    for (; !sql.AtLineEnd(); sql.Advance()) {
        const qsizetype at = sql.TokenStart();
        const qsizetype length = sql.TokenText().size();
        if (at != next)
            return QStringLiteral("token at %1 where %2 was expected").arg(at).arg(next);
        if (length == 0 || at + length > covered)
            return QStringLiteral("token at %1 of length %2 in a line of %3").arg(at).arg(length).arg(covered);
        if (sql.TokenText() != line.mid(at, length))
            return QStringLiteral("token text at %1 is not the line's").arg(at);
        if (!sql.TokenAttri() || sql.TokenKindId() < 0 || sql.TokenKindId() > int(Var))
            return QStringLiteral("token at %1 has kind %2").arg(at).arg(sql.TokenKindId());
        result.spans.append({at, length, sql.TokenKindId()});
        next = at + length;
    }
    if (next != covered || sql.TokenStart() != covered)
        return QStringLiteral("line end token at %1, tokens end at %2, line at %3")
            .arg(sql.TokenStart())
            .arg(next)
            .arg(covered);
    if (!sql.TokenText().isEmpty() || sql.TokenAttri() || sql.TokenKindId() != int(K::Null))
        return QStringLiteral("line end token is not empty");
    result.end = sql.RangeState();
    if (result.end > SynSQLSyn::rsString)
        return QStringLiteral("range %1 after the line").arg(result.end);
    sql.Advance();
    if (!sql.AtLineEnd() || sql.TokenStart() != covered || sql.RangeState() != result.end)
        return QStringLiteral("Advance moved past the line end");
    return result;
}

struct Setup {
    Dialect dialect = Dialect::sqlSybase;
    QStringList tableNames;
};

void configure(SynSQLSyn &sql, const Setup &setup)
{
    sql.SetSQLDialect(setup.dialect);
    sql.SetTableNames(setup.tableNames);
}

// Scans the lines as one text from the start, then each line alone on a fresh highlighter from
// the state the text scan gave it; answers the first broken rule, or nothing.
QString checkText(const Setup &setup, const QStringList &lines)
{
    SynSQLSyn whole;
    SynSQLSyn alone;
    configure(whole, setup);
    configure(alone, setup);
    whole.ClearRange();
    SynRangeState range = whole.RangeState();
    for (int i = 0; i < lines.size(); ++i) {
        const auto full = scanChecked(whole, lines[i], range);
        if (const QString *error = std::get_if<QString>(&full))
            return QStringLiteral("line %1: %2").arg(i).arg(*error);
        if (scanChecked(alone, lines[i], range) != full)
            return QStringLiteral("line %1 scans differently alone").arg(i);
        range = std::get<LineScan>(full).end;
    }
    return {};
}

QString randomFragment(QRandomGenerator &random)
{
    static const QStringList fragments = {
        "/*",      "*/",    "/*/",   "--",   "-- c",       "'",      "''",
        "'it''s'", "\"",    "\"\"",  "\\\"", "\"a\\\"b\"", "select", "SELECT",
        "from",    "where", "users", "T1",   "@x",         "@",      "@@y",
        "#tmp",    "$",     "a#b",   "1..2", "12.5",       "2-3",    "1-",
        "1--",     "<<=",   "<>",    "!=",   "||",         "&&",     "/=",
        "=>",      " ",     "\t",    "\r",   "\n",         "\r\n",   "(",
        ")",       ";",     ":",     ".",    ",",          "x",      "max_rows_per_page",
        "\\",      "`",     "\x7f",  "\xe9", "\xff",
    };
    switch (random.bounded(8)) {
    case 0: return QString(QChar(char16_t(random.bounded(0x10000)))); // any unit, lone surrogates too
    case 1: return QString(QChar(char16_t(random.bounded(128))));
    case 2: return QString::fromUcs4(U"\U0001F600");
    case 3: return QString(QChar(char16_t(0xD800 + random.bounded(0x800)))); // a surrogate half alone
    default: return fragments[random.bounded(fragments.size())];
    }
}

QStringList randomLines(QRandomGenerator &random, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        for (int n = random.bounded(10); n > 0; --n)
            line += randomFragment(random);
        lines.append(line);
    }
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Toks)
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(K)

class TestSqlHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void everyKeyword();
    void keywordKinds_data();
    void keywordKinds();
    void emptyLineKeepsRange_data();
    void emptyLineKeepsRange();
    void tokenAttributes_data();
    void tokenAttributes();
    void attributes_data();
    void attributes();
    void attributeAccessors();
    void mainFormSettings();
    void defaultFilterAndTitle();
    void standardAttri_data();
    void standardAttri();
    void wordChars();
    void tableNames();
    void dialects();
    void isKeywordText_data();
    void isKeywordText();
    void randomTextKeepsProtocol_data();
    void randomTextKeepsProtocol();
    void longLinesKeepProtocol_data();
    void longLinesKeepProtocol();
};

void TestSqlHighlighter::tokens_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Toks>("expected"); // the tokens of all lines, end-of-line tokens left out
    QTest::addColumn<Ranges>("ranges"); // the range state after each line

    QTest::addRow("keywords in any case")
        << QStringList{"SELECT select Select"}
        << Toks{{"SELECT", Key}, {" ", Sp}, {"select", Key}, {" ", Sp}, {"Select", Key}} << Ranges{0};
    QTest::addRow("words around keywords")
        << QStringList{"selects selec _select"}
        << Toks{{"selects", Id}, {" ", Sp}, {"selec", Id}, {" ", Sp}, {"_select", Id}} << Ranges{0};
    QTest::addRow("keywords with underscores")
        << QStringList{"max_rows_per_page arith_overflow"}
        << Toks{{"max_rows_per_page", Key}, {" ", Sp}, {"arith_overflow", Key}} << Ranges{0};
    QTest::addRow("variable and colon") << QStringList{"@total_1 :x"}
                                        << Toks{{"@total_1", Var}, {" ", Sp}, {":", Sym}, {"x", Id}} << Ranges{0};
    QTest::addRow("at signs") << QStringList{"@ @@x @#1"}
                              << Toks{{"@", Var}, {" ", Sp}, {"@", Var}, {"@x", Var}, {" ", Sp}, {"@#1", Var}}
                              << Ranges{0};
    QTest::addRow("-- after a word") << QStringList{"x--y"} << Toks{{"x", Id}, {"--y", Com}} << Ranges{0};
    QTest::addRow("minus between words") << QStringList{"x-y"} << Toks{{"x", Id}, {"-", Sym}, {"y", Id}} << Ranges{0};
    // "temp" is one of the keywords, so "#temp" shows a reserved word after the "#".
    QTest::addRow("# and $ start no word")
        << QStringList{"#temp a#b $x a$1"} << Toks{{"#", Oth}, {"temp", Key}, {" ", Sp}, {"a#b", Id}, {" ", Sp},
                                                   {"$", Oth}, {"x", Id},     {" ", Sp}, {"a$1", Id}}
        << Ranges{0};
    QTest::addRow("block comment across lines")
        << QStringList{"/* a", "", "b */ c"} << Toks{{"/* a", Com}, {"b */", Com}, {" ", Sp}, {"c", Id}}
        << Ranges{1, 1, 0};
    QTest::addRow("/*/ stays open") << QStringList{"/*/ x"} << Toks{{"/*/ x", Com}} << Ranges{1};
    QTest::addRow("block comment closed on its line")
        << QStringList{"/**/x"} << Toks{{"/**/", Com}, {"x", Id}} << Ranges{0};
    QTest::addRow("*/ at the start of a line")
        << QStringList{"/*", "*/x"} << Toks{{"/*", Com}, {"*/", Com}, {"x", Id}} << Ranges{1, 0};
    QTest::addRow("-- hides /*") << QStringList{"-- a /* b"} << Toks{{"-- a /* b", Com}} << Ranges{0};
    QTest::addRow("-- inside a string") << QStringList{"'a--b' c"} << Toks{{"'a--b'", Str}, {" ", Sp}, {"c", Id}}
                                        << Ranges{0};
    QTest::addRow("doubled quote makes two strings")
        << QStringList{"'it''s'"} << Toks{{"'it'", Str}, {"'s'", Str}} << Ranges{0};
    QTest::addRow("single string across lines")
        << QStringList{"x = 'ab", "cd' y"}
        << Toks{{"x", Id}, {" ", Sp}, {"=", Sym}, {" ", Sp}, {"'ab", Str}, {"cd'", Str}, {" ", Sp}, {"y", Id}}
        << Ranges{2, 0};
    QTest::addRow("quote opening a continuation line closes")
        << QStringList{"'a", "'b"} << Toks{{"'a", Str}, {"'", Str}, {"b", Id}} << Ranges{2, 0};
    QTest::addRow("empty line inside a string")
        << QStringList{"'a", "", "b'"} << Toks{{"'a", Str}, {"b'", Str}} << Ranges{2, 2, 0};
    QTest::addRow("comment closes, string opens")
        << QStringList{"/* a", "b */ 'c"} << Toks{{"/* a", Com}, {"b */", Com}, {" ", Sp}, {"'c", Str}} << Ranges{1, 2};
    QTest::addRow("doubled double quotes stay inside")
        << QStringList{"\"a\"\"b\" x"} << Toks{{"\"a\"\"b\"", Str}, {" ", Sp}, {"x", Id}} << Ranges{0};
    QTest::addRow("escaped double quote")
        << QStringList{"\"a\\\"b\" x"} << Toks{{"\"a\\\"b\"", Str}, {" ", Sp}, {"x", Id}} << Ranges{0};
    QTest::addRow("empty double-quoted string") << QStringList{"\"\"x"} << Toks{{"\"\"", Str}, {"x", Id}} << Ranges{0};
    QTest::addRow("double-quoted string stays on its line")
        << QStringList{"\"ab -- c", "d\""} << Toks{{"\"ab -- c", Str}, {"d", Id}, {"\"", Str}} << Ranges{0, 0};
    QTest::addRow("numbers") << QStringList{"12.5 2-3 1- 007"}
                             << Toks{{"12.5", Num}, {" ", Sp}, {"2-3", Num}, {" ", Sp},
                                     {"1-", Num},   {" ", Sp}, {"007", Num}}
                             << Ranges{0};
    QTest::addRow("number stops before ..")
        << QStringList{"1..5"} << Toks{{"1", Num}, {".", Sym}, {".", Sym}, {"5", Num}} << Ranges{0};
    QTest::addRow("number stops before --")
        << QStringList{"1--x", "2-3--y"} << Toks{{"1", Num}, {"--x", Com}, {"2-3", Num}, {"--y", Com}} << Ranges{0, 0};
    QTest::addRow("number stops before letters")
        << QStringList{"12abc 1.e5"} << Toks{{"12", Num}, {"abc", Id}, {" ", Sp}, {"1.", Num}, {"e5", Id}} << Ranges{0};
    const QStringList pairs = {"!=", "%=", "*=", "^=", "&&", "&=", "++",  "+=", "||",
                               "|=", "==", "=>", ">=", ">>", "<=", "<<=", "<<", "/="};
    QTest::addRow("listed pairs") << QStringList{pairs.join("")} << symbols(pairs) << Ranges{0};
    const QStringList splits = {"-", "=", "<", ">", "!", "!", "*", "*", "&", "|", ">=", "==", "="};
    QTest::addRow("unlisted pairs split") << QStringList{splits.join("")} << symbols(splits) << Ranges{0};
    const QStringList singles = {"(", ")", ",", ".", ";", ":", "?", "[", "]", "{", "}", "~", "/"};
    QTest::addRow("single symbols") << QStringList{singles.join("")} << symbols(singles) << Ranges{0};
    QTest::addRow("blanks and line breaks")
        << QStringList{"\t \x01\x0b\x0c\x0e\x1fx\r\n\n\ry"}
        << Toks{{"\t \x01\x0b\x0c\x0e\x1f", Sp}, {"x", Id}, {"\r\n", Sp}, {"\n", Sp}, {"\r", Sp}, {"y", Id}}
        << Ranges{0};
    QTest::addRow("CR inside a block comment")
        << QStringList{"/* a\r b */ c"} << Toks{{"/* a", Com}, {"\r", Sp}, {" b */", Com}, {" ", Sp}, {"c", Id}}
        << Ranges{0};
    QTest::addRow("LF inside a single-quoted string")
        << QStringList{"'a\nb' c"} << Toks{{"'a", Str}, {"\n", Sp}, {"b'", Str}, {" ", Sp}, {"c", Id}} << Ranges{0};
    QTest::addRow("NUL ends the line") << QStringList{QStringLiteral("a").append(QChar(0)).append(u"b")}
                                       << Toks{{"a", Id}} << Ranges{0};
    QTest::addRow("NUL ends an open comment") << QStringList{"/*", QStringLiteral("x").append(QChar(0)).append(u"*/")}
                                              << Toks{{"/*", Com}, {"x", Com}} << Ranges{1, 1};
    QTest::addRow("other characters") << QStringList{QString::fromUtf8("\\`\x7f\xc3\xa9\xe2\x82\xac")}
                                      << Toks{{"\\", Oth},
                                              {"`", Oth},
                                              {"\x7f", Oth},
                                              {QString::fromUtf8("\xc3\xa9"), Oth},
                                              {QString::fromUtf8("\xe2\x82\xac"), Oth}}
                                      << Ranges{0};
    QTest::addRow("letters above 127 end a word")
        << QStringList{QString::fromUtf8("a\xc3\xa9z")}
        << Toks{{"a", Id}, {QString::fromUtf8("\xc3\xa9"), Oth}, {"z", Id}} << Ranges{0};
    QTest::addRow("surrogate pair is one character")
        << QStringList{QString::fromUtf8("a\xf0\x9f\x98\x80")}
        << Toks{{"a", Id}, {QString::fromUtf8("\xf0\x9f\x98\x80"), Oth}} << Ranges{0};
    QTest::addRow("lone surrogates") << QStringList{QString(QChar(0xD800)) + u'x' + QChar(0xDC00)}
                                     << Toks{{QString(QChar(0xD800)), Oth}, {"x", Id}, {QString(QChar(0xDC00)), Oth}}
                                     << Ranges{0};
}

void TestSqlHighlighter::tokens()
{
    QFETCH(QStringList, lines);
    QFETCH(Toks, expected);
    QFETCH(Ranges, ranges);
    SynSQLSyn sql;
    sql.ClearRange();
    QStringList actual;
    Ranges actualRanges;
    for (const QString &line : lines) {
        actual += scan(sql, line);
        QVERIFY(sql.AtLineEnd());
        QVERIFY(sql.TokenText().isEmpty());
        actualRanges.append(sql.RangeState());
    }
    QCOMPARE(actual.join(u' '), describe(expected).join(u' '));
    QCOMPARE(actualRanges, ranges);
}

void TestSqlHighlighter::everyKeyword()
{
    SynSQLSyn sql;
    const SynHashEntryList &table = sql.KeywordTable();
    QCOMPARE(entryCount(table), 373);
    QVERIFY(table.Count() <= 256);
    QStringList all;
    for (int hash = 0; hash < table.Count(); ++hash) {
        int length = 0;
        for (const SynHashEntry *entry = table.Get(hash); entry; entry = entry->Next.get()) {
            QVERIFY2(entry->KeyLen >= length, qPrintable(entry->Keyword)); // chains run short to long
            length = entry->KeyLen;
            QCOMPARE(entry->Kind, int(Key));
            QCOMPARE(expectedHash(entry->Keyword), hash);
            all.append(entry->Keyword);
            const QString mixed = entry->Keyword.left(1).toUpper() + entry->Keyword.mid(1);
            for (const QString &word : {entry->Keyword, entry->Keyword.toUpper(), mixed})
                QVERIFY2(kindOf(sql, word) == Key, qPrintable(word));
            QVERIFY2(kindOf(sql, entry->Keyword + u'q') == Id, qPrintable(entry->Keyword));
        }
    }
    all.sort();
    QCOMPARE(all.first(), "absolute");
    QCOMPARE(all.last(), "zone");
    QCOMPARE(all.removeDuplicates(), 0);
}

void TestSqlHighlighter::keywordKinds_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<K>("kind");
    for (const char *word : {"absolute", "zone", "current_timestamp", "syb_restree", "writetext", "go", "Is", "TRAN"})
        QTest::addRow("%s", word) << QString::fromLatin1(word) << Key;
    // Words some SQL dialects reserve, but not this one, and near misses of its keywords.
    for (const char *word : {"varchar2", "number", "exists_", "abs", "zones", "s", "a1", "dbo", "isnull", "top"})
        QTest::addRow("%s", word) << QString::fromLatin1(word) << Id;
    QTest::addRow("a letter for a digit") << "v1rchar" << Id;
}

void TestSqlHighlighter::keywordKinds()
{
    QFETCH(QString, word);
    QFETCH(K, kind);
    SynSQLSyn sql;
    QCOMPARE(kindOf(sql, word), kind);
}

void TestSqlHighlighter::emptyLineKeepsRange_data()
{
    QTest::addColumn<SynRangeState>("range");
    QTest::addRow("normal") << SynSQLSyn::rsNormal;
    QTest::addRow("block comment") << SynSQLSyn::rsComment;
    QTest::addRow("single-quoted string") << SynSQLSyn::rsString;
}

void TestSqlHighlighter::emptyLineKeepsRange()
{
    QFETCH(SynRangeState, range);
    SynSQLSyn sql;
    sql.RestoreRange(range | 0x300); // only the low byte counts
    sql.BeginLine(u"", 0);
    QVERIFY(sql.AtLineEnd());
    QCOMPARE(sql.TokenKindId(), 7);
    QCOMPARE(sql.TokenStart(), 0);
    QCOMPARE(sql.TokenAttri(), nullptr);
    QCOMPARE(sql.RangeState(), range);
    sql.ClearRange();
    QCOMPARE(sql.RangeState(), SynSQLSyn::rsNormal);
}

void TestSqlHighlighter::tokenAttributes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << "-- c" << 0 << "Comment";
    QTest::addRow("identifier") << "x" << 5 << "Identifier";
    QTest::addRow("reserved word") << "from" << 6 << "Reserved word";
    QTest::addRow("number") << "1" << 8 << "Number";
    QTest::addRow("blank") << " " << 9 << "Space";
    QTest::addRow("string") << "'s'" << 12 << "String";
    QTest::addRow("symbol") << ";" << 13 << "Symbol";
    QTest::addRow("table name") << "users" << 14 << "Table name";
    QTest::addRow("other character") << "#" << 15 << "Identifier";
    QTest::addRow("variable") << "@v" << 16 << "Variable";
}

void TestSqlHighlighter::tokenAttributes()
{
    QFETCH(QString, line);
    QFETCH(int, kind);
    QFETCH(QString, attribute);
    SynSQLSyn sql;
    sql.SetTableNames({"users"});
    sql.BeginLine(line, 0);
    QCOMPARE(sql.TokenKindId(), kind);
    QVERIFY(sql.TokenAttri());
    QCOMPARE(sql.TokenAttri()->AttriName(), attribute);
}

void TestSqlHighlighter::attributes_data()
{
    QTest::addColumn<int>("index"); // attributes are listed by name
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("style");
    QTest::addColumn<SynColor>("mainForeground");
    QTest::addColumn<int>("mainStyle");
    // The constructor leaves every colour none.
    const SynColor teal = 0x808000, navy = 0x800000, maroon = 0x000080;
    QTest::addRow("Comment") << 0 << "Comment" << int(fsItalic) << teal << int(fsItalic);
    QTest::addRow("Data type") << 1 << "Data type" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Default packages") << 2 << "Default packages" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Exception") << 3 << "Exception" << int(fsItalic) << clNone << int(fsItalic);
    QTest::addRow("Function") << 4 << "Function" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Identifier") << 5 << "Identifier" << 0 << clNone << 0;
    QTest::addRow("Number") << 6 << "Number" << 0 << navy << 0;
    QTest::addRow("Reserved word") << 7 << "Reserved word" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Reserved word (PL/SQL)") << 8 << "Reserved word (PL/SQL)" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("Space") << 9 << "Space" << 0 << clNone << 0;
    QTest::addRow("SQL*Plus command") << 10 << "SQL*Plus command" << int(fsBold) << clNone << int(fsBold);
    QTest::addRow("String") << 11 << "String" << 0 << clNone << 0;
    QTest::addRow("Symbol") << 12 << "Symbol" << 0 << clNone << 0;
    QTest::addRow("Table name") << 13 << "Table name" << 0 << maroon << int(fsBold);
    QTest::addRow("Variable") << 14 << "Variable" << 0 << clNone << 0;
}

void TestSqlHighlighter::attributes()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, style);
    QFETCH(SynColor, mainForeground);
    QFETCH(int, mainStyle);
    SynSQLSyn sql;
    QCOMPARE(sql.AttriCount(), 15);
    const SynHighlighterAttributes *attribute = sql.AttriAt(index);
    QVERIFY(attribute);
    QCOMPARE(attribute->AttriName(), name);
    QCOMPARE(attribute->Foreground(), clNone);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), style);

    sql.ApplyMainFormSettings();
    QCOMPARE(attribute->Foreground(), mainForeground);
    QCOMPARE(attribute->Background(), clNone);
    QCOMPARE(int(attribute->Style()), mainStyle);
}

void TestSqlHighlighter::attributeAccessors()
{
    SynSQLSyn sql;
    const std::pair<const SynHighlighterAttributes *, const char *> accessors[] = {
        {sql.CommentAttri(), "Comment"},
        {sql.DataTypeAttri(), "Data type"},
        {sql.DefaultPackageAttri(), "Default packages"},
        {sql.ExceptionAttri(), "Exception"},
        {sql.FunctionAttri(), "Function"},
        {sql.IdentifierAttri(), "Identifier"},
        {sql.KeyAttri(), "Reserved word"},
        {sql.NumberAttri(), "Number"},
        {sql.PLSQLAttri(), "Reserved word (PL/SQL)"},
        {sql.SpaceAttri(), "Space"},
        {sql.SQLPlusAttri(), "SQL*Plus command"},
        {sql.StringAttri(), "String"},
        {sql.SymbolAttri(), "Symbol"},
        {sql.TableNameAttri(), "Table name"},
        {sql.VariableAttri(), "Variable"},
    };
    for (const auto &[attribute, name] : accessors) {
        QVERIFY2(attribute, name);
        QCOMPARE(attribute->AttriName(), QString::fromLatin1(name));
    }
}

void TestSqlHighlighter::mainFormSettings()
{
    SynSQLSyn sql;
    int calls = 0;
    sql.HookAttriChange(this, [&calls] { ++calls; });
    sql.ApplyMainFormSettings();
    QCOMPARE(calls, 4); // three colours and one style; the dialect stays, so no rebuild
    QCOMPARE(sql.Dialect(), Dialect::sqlSybase);
    QCOMPARE(entryCount(sql.KeywordTable()), 373);
    sql.ApplyMainFormSettings();
    QCOMPARE(calls, 4);
}

void TestSqlHighlighter::defaultFilterAndTitle()
{
    SynSQLSyn sql;
    QCOMPARE(sql.DefaultFilter(), "SQL Files (*.sql)|*.sql");
    sql.SetDefaultFilter("x");
    sql.ApplyMainFormSettings();
    QCOMPARE(sql.DefaultFilter(), "SQL Files (*.sql)|*.sql");
    QCOMPARE(sql.LanguageTitle(), "SQL");
    QCOMPARE(sql.DemoSource(), QString());
    QCOMPARE(sql.Dialect(), Dialect::sqlSybase);
    QVERIFY(sql.TableNames().isEmpty());
}

void TestSqlHighlighter::standardAttri_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("attribute");
    QTest::addRow("comment") << 0 << "Comment";
    QTest::addRow("identifier") << 1 << "Identifier";
    QTest::addRow("keyword") << 2 << "Reserved word";
    QTest::addRow("string") << 3 << "String";
    QTest::addRow("whitespace") << 4 << "Space";
    QTest::addRow("symbol") << 5 << "Symbol";
    QTest::addRow("below") << -1 << QString();
    QTest::addRow("beyond") << 6 << QString();
}

void TestSqlHighlighter::standardAttri()
{
    QFETCH(int, index);
    QFETCH(QString, attribute);
    SynSQLSyn sql;
    const SynHighlighterAttributes *found = sql.StandardAttri(index);
    QCOMPARE(found ? found->AttriName() : QString(), attribute);
}

void TestSqlHighlighter::wordChars()
{
    SynSQLSyn sql;
    const CharSet chars = sql.WordChars();
    QCOMPARE(chars.count(), 10 + 26 + 1 + 26 + 64 - 2);
    for (char16_t c : {u'0', u'9', u'A', u'Z', u'_', u'a', u'z', char16_t(192), char16_t(214), char16_t(216),
                       char16_t(255), char16_t(0x4E00)})
        QVERIFY2(chars.contains(c), qPrintable(QString::number(c)));
    for (char16_t c : {u'#', u'$', u'@', u'-', u'`', u' ', char16_t(127), char16_t(191), char16_t(215), char16_t(247)})
        QVERIFY2(!chars.contains(c), qPrintable(QString::number(c)));
}

void TestSqlHighlighter::tableNames()
{
    SynSQLSyn sql;
    int calls = 0;
    sql.HookAttriChange(this, [&calls] { ++calls; });
    // A keyword and a name given twice in other case are skipped; an empty name adds nothing.
    const QStringList names = {"Customers", "order_items", "select", "CUSTOMERS", "", "t1"};
    sql.SetTableNames(names);
    QCOMPARE(calls, 1);
    QCOMPARE(sql.TableNames(), names);
    QCOMPARE(entryCount(sql.KeywordTable()), 373 + 3);
    QCOMPARE(scan(sql, u"SELECT * FROM customers, Order_Items"),
             describe({{"SELECT", Key},
                       {" ", Sp},
                       {"*", Sym},
                       {" ", Sp},
                       {"FROM", Key},
                       {" ", Sp},
                       {"customers", Tab},
                       {",", Sym},
                       {" ", Sp},
                       {"Order_Items", Tab}}));
    // Digits, "#" and "$" hash alike, so they stand for one another in a name.
    QCOMPARE(scan(sql, u"t1 t9 t# t$ t11"),
             describe({{"t1", Tab},
                       {" ", Sp},
                       {"t9", Tab},
                       {" ", Sp},
                       {"t#", Tab},
                       {" ", Sp},
                       {"t$", Tab},
                       {" ", Sp},
                       {"t11", Id}}));
    QCOMPARE(kindOf(sql, "select"), Key);

    sql.SetTableNames(names);
    QCOMPARE(calls, 1); // the same list changes nothing
    sql.SetTableNames({});
    QCOMPARE(calls, 2);
    QCOMPARE(entryCount(sql.KeywordTable()), 373);
    QCOMPARE(kindOf(sql, "customers"), Id);
}

void TestSqlHighlighter::dialects()
{
    SynSQLSyn sql;
    sql.SetTableNames({"t@x"});
    int calls = 0;
    sql.HookAttriChange(this, [&calls] { ++calls; });
    QCOMPARE(scan(sql, u"a@b"), describe({{"a", Id}, {"@b", Var}}));

    // Only Sybase has keywords here; the table names stay whatever the dialect.
    sql.SetSQLDialect(Dialect::sqlStandard);
    QCOMPARE(calls, 1);
    QCOMPARE(sql.Dialect(), Dialect::sqlStandard);
    QCOMPARE(kindOf(sql, "select"), Id);
    QCOMPARE(entryCount(sql.KeywordTable()), 1);

    // The MS SQL dialects take "@" into words.
    sql.SetSQLDialect(Dialect::sqlMSSQL2K);
    QCOMPARE(scan(sql, u"a@b t@x @@v"), describe({{"a@b", Id}, {" ", Sp}, {"t@x", Tab}, {" ", Sp}, {"@@v", Var}}));

    sql.SetSQLDialect(Dialect::sqlSybase);
    QCOMPARE(calls, 3);
    QCOMPARE(kindOf(sql, "select"), Key);
    sql.SetSQLDialect(Dialect::sqlSybase);
    QCOMPARE(calls, 3);
}

void TestSqlHighlighter::isKeywordText_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("keyword");
    QTest::addRow("keyword") << "select" << true;
    QTest::addRow("upper case") << "WHERE" << true;
    QTest::addRow("longer word") << "selection" << false;
    QTest::addRow("identifier") << "x" << false;
    QTest::addRow("table name") << "users" << false;
    QTest::addRow("empty") << "" << false;
    QTest::addRow("symbol first") << "(select" << false;
}

void TestSqlHighlighter::isKeywordText()
{
    QFETCH(QString, word);
    QFETCH(bool, keyword);
    SynSQLSyn sql;
    sql.SetTableNames({"users"});
    QCOMPARE(sql.IsKeywordText(word), keyword);
}

void TestSqlHighlighter::randomTextKeepsProtocol_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<quint32>("seed");
    QTest::addRow("Sybase") << Setup{} << 20240611u;
    QTest::addRow("Sybase with table names") << Setup{Dialect::sqlSybase, {"users", "T1", "orders"}} << 7u;
    QTest::addRow("MS SQL with table names") << Setup{Dialect::sqlMSSQL7, {"users", "a@b"}} << 99u;
}

void TestSqlHighlighter::randomTextKeepsProtocol()
{
    QFETCH(Setup, setup);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    for (int text = 0; text < 100; ++text) {
        const QString error = checkText(setup, randomLines(random, 20));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
}

void TestSqlHighlighter::longLinesKeepProtocol_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tokens"); // how many tokens the line makes, line end left out
    const QString x(100000, u'x');
    QTest::addRow("one word") << x << 1;
    QTest::addRow("one variable") << "@" + x << 1;
    QTest::addRow("unterminated block comment") << "/*" + x << 1;
    QTest::addRow("line comment") << "--" + x << 1;
    QTest::addRow("unterminated single-quoted string") << "'" + x << 1;
    QTest::addRow("unterminated double-quoted string") << "\"" + x << 1;
    QTest::addRow("doubled double quotes") << "\"" + QString(100000, u'"') << 1;
    QTest::addRow("number") << QString(100000, u'7') << 1;
    QTest::addRow("blanks") << QString(100000, u' ') << 1;
    QTest::addRow("other characters") << QString(100000, u'#') << 100000;
    QTest::addRow("quotes") << QString(100000, u'\'') << 50000;
    QString mixed;
    QRandomGenerator random(3);
    while (mixed.size() < 100000)
        mixed += randomFragment(random);
    mixed.remove(QChar(0));
    QTest::addRow("random fragments") << mixed << -1;
}

void TestSqlHighlighter::longLinesKeepProtocol()
{
    QFETCH(QString, line);
    QFETCH(int, tokens);
    const QString error = checkText(Setup{}, {line, line});
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (tokens >= 0) {
        SynSQLSyn sql;
        QCOMPARE(scan(sql, line).size(), tokens);
    }
}

QTEST_GUILESS_MAIN(TestSqlHighlighter)
#include "tst_sql_highlighter.moc"
