#include "ProfileFile.h"
#include "RaisedErrors.h"
#include "SynCustomHighlighter.h"
#include "SynHighlighterHashEntries.h"
#include "SynHighlighterHtml.h"
#include "SynHighlighterPHP.h"

#include <QMap>
#include <QtTest>

namespace {

// A profile file in memory, keys kept per section in insertion order.
class MemoryProfile : public ProfileFile
{
public:
    QStringList SectionKeys(QStringView section) const override
    {
        QStringList keys;
        for (const auto &[s, k, v] : m_entries)
            if (s.compare(section, Qt::CaseInsensitive) == 0)
                keys.append(k);
        return keys;
    }
    QString readString(QStringView section, QStringView key, const QString &fallback) const override
    {
        for (const auto &[s, k, v] : m_entries)
            if (s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0)
                return v;
        return fallback;
    }
    void writeString(QStringView section, QStringView key, const QString &value) override
    {
        for (auto &[s, k, v] : m_entries)
            if (s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0) {
                v = value;
                return;
            }
        m_entries.push_back({section.toString(), key.toString(), value});
    }
    QStringList lines() const
    {
        QStringList out;
        for (const auto &[s, k, v] : m_entries)
            out.append(s + u':' + k + u'=' + v);
        return out;
    }

private:
    struct Entry {
        QString section, key, value;
    };
    std::vector<Entry> m_entries;
};

// Three attributes added out of order, and no tokens: enough to test the shared machinery.
class ColourOnlyHighlighter : public SynCustomHighlighter
{
public:
    explicit ColourOnlyHighlighter(const QStringList &names)
    {
        for (const QString &name : names)
            AddAttri(std::make_unique<SynHighlighterAttributes>(name));
        ConnectAttributes();
    }
    SynHighlighterAttributes *find(const QString &name) const
    {
        for (int i = 0; i < AttriCount(); ++i)
            if (AttriAt(i)->AttriName() == name)
                return AttriAt(i);
        return nullptr;
    }
    SynHighlighterAttributes *StandardAttri(int) const override { return nullptr; }
    void BeginLine(QStringView, int) override { }
    void Advance() override { }
    bool AtLineEnd() const override { return true; }
    QStringView TokenText() const override { return {}; }
    SynHighlighterAttributes *TokenAttri() const override { return nullptr; }
    int TokenKindId() const override { return 0; }
    int TokenStart() const override { return 0; }
};

const QStringList PhpNames{"Symbol", "Comment", "Reserved word", "Identifier"};

} // namespace

class TestHighlightFramework : public QObject
{
    Q_OBJECT

private slots:
    void attributesAreSortedAndBounded();
    void attributeChangesNotifyOnlyWhenTheyDiffer();
    void unhookedListenersHearNothing();
    void wordBreaksAndIdentChars();
    void colourRoundTrip();
    void loadingAppliesOnlyPresentKeys_data();
    void loadingAppliesOnlyPresentKeys();
    void loadingIsFalseWhenASectionIsMissing();
    void sharedNamesTakeColoursFromAnotherHighlighter();
    void assignCopiesMatchingAttributes();
    void duplicateAttributesAreRaisedAndLeftOut_data();
    void duplicateAttributesAreRaisedAndLeftOut();
    void builtInHighlightersRaiseNothing();
    void errorHandlerCanBeReplacedAndRestored();

    void chainsOrderByLength();
    void duplicateKeywordIsRefused();
    void keywordWithNegativeHashIsRaised();
    void keywordListExpansion();
    void keywordSlots_data();
    void keywordSlots();
};

void TestHighlightFramework::attributesAreSortedAndBounded()
{
    ColourOnlyHighlighter h({"symbol", "Comment", "Reserved word", "identifier"});
    QCOMPARE(h.AttriCount(), 4);
    QStringList names;
    for (int i = 0; i < h.AttriCount(); ++i)
        names.append(h.AttriAt(i)->AttriName());
    QCOMPARE(names, QStringList({"Comment", "identifier", "Reserved word", "symbol"}));
    QVERIFY(!h.AttriAt(-1));
    QVERIFY(!h.AttriAt(h.AttriCount()));
}

void TestHighlightFramework::attributeChangesNotifyOnlyWhenTheyDiffer()
{
    ColourOnlyHighlighter h(PhpNames);
    int told = 0;
    h.HookAttriChange(this, [&] { ++told; });
    SynHighlighterAttributes *comment = h.find("Comment");
    QCOMPARE(comment->Foreground(), clNone);
    comment->SetForeground(clNone);
    QCOMPARE(told, 0);
    comment->SetForeground(0x008000);
    comment->SetBackground(0xFFFFFF);
    comment->SetStyle(fsItalic);
    comment->SetStyle(fsItalic);
    QCOMPARE(told, 3);

    SynHighlighterAttributes copy(QStringLiteral("Other"));
    copy.Assign(*comment);
    QCOMPARE(copy.AttriName(), QStringLiteral("Comment"));
    QCOMPARE(copy.Foreground(), SynColor(0x008000));
    QCOMPARE(copy.Style(), std::uint8_t(fsItalic));

    h.SetEnabled(false);
    h.SetEnabled(false);
    QCOMPARE(told, 4);
}

void TestHighlightFramework::unhookedListenersHearNothing()
{
    ColourOnlyHighlighter h(PhpNames);
    int first = 0, second = 0;
    h.HookAttriChange(&first, [&] { ++first; });
    h.HookAttriChange(&second, [&] { ++second; });
    h.UnhookAttriChange(&first);
    h.find("Symbol")->SetStyle(fsBold);
    QCOMPARE(first, 0);
    QCOMPARE(second, 1);
}

void TestHighlightFramework::wordBreaksAndIdentChars()
{
    ColourOnlyHighlighter h(PhpNames);
    QCOMPARE(h.WordBreaks().count(), 22);
    for (char16_t c : u"!\"'()*+,-./:;=?[\\]^{|}")
        if (c)
            QVERIFY2(!h.IdentChars().contains(c), qPrintable(QString(QChar(c))));
    for (char16_t c : {u'a', u'Z', u'_', u'$', u'9', u'\u00e9', u'\u0416'})
        QVERIFY(h.IdentChars().contains(c));
    QVERIFY(!h.IdentChars().contains(u' '));
}

void TestHighlightFramework::colourRoundTrip()
{
    ColourOnlyHighlighter saved(PhpNames);
    saved.find("Comment")->SetForeground(0x008000);
    saved.find("Comment")->SetStyle(fsBold | fsItalic);
    saved.find("Reserved word")->SetBackground(clSystemWindow);
    MemoryProfile file;
    QVERIFY(saved.SaveColorsToIni(file));
    QCOMPARE(file.lines().first(4),
             QStringList({"Comment:Background=536870911", "Comment:Foreground=32768", "Comment:Style=3",
                          "Identifier:Background=536870911"}));
    QCOMPARE(file.readString(u"Reserved word", u"Background", {}), QStringLiteral("-2147483643"));

    ColourOnlyHighlighter loaded(PhpNames);
    QVERIFY(loaded.LoadColorsFromIni(file));
    for (int i = 0; i < saved.AttriCount(); ++i) {
        QCOMPARE(loaded.AttriAt(i)->Foreground(), saved.AttriAt(i)->Foreground());
        QCOMPARE(loaded.AttriAt(i)->Background(), saved.AttriAt(i)->Background());
        QCOMPARE(loaded.AttriAt(i)->Style(), saved.AttriAt(i)->Style());
    }
}

void TestHighlightFramework::loadingAppliesOnlyPresentKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<uint>("background");
    QTest::addColumn<uint>("foreground");
    QTest::addColumn<int>("style");
    // The comment starts with foreground 0x0000FF, background none and bold.
    QTest::addRow("style 3: bold italic") << "Style"
                                          << "3" << uint(clNone) << 0x0000FFu << int(fsBold | fsItalic);
    QTest::addRow("style 16: cleared") << "Style"
                                       << "16" << uint(clNone) << 0x0000FFu << 0;
    QTest::addRow("style 31: high bits ignored") << "Style"
                                                 << "31" << uint(clNone) << 0x0000FFu << 15;
    QTest::addRow("style not a number") << "Style"
                                        << "bold" << uint(clNone) << 0x0000FFu << 0;
    QTest::addRow("foreground hex") << "Foreground"
                                    << "0x800000" << uint(clNone) << 0x800000u << int(fsBold);
    QTest::addRow("foreground not a number") << "Foreground"
                                             << "red" << uint(clNone) << uint(clSystemWindowText) << int(fsBold);
    QTest::addRow("background not a number") << "Background"
                                             << "" << uint(clSystemWindow) << 0x0000FFu << int(fsBold);
}

void TestHighlightFramework::loadingAppliesOnlyPresentKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(uint, background);
    QFETCH(uint, foreground);
    QFETCH(int, style);
    ColourOnlyHighlighter h(PhpNames);
    SynHighlighterAttributes *comment = h.find("Comment");
    comment->SetForeground(0x0000FF);
    comment->SetStyle(fsBold);
    MemoryProfile file;
    file.writeString(u"Comment", key, value);
    h.LoadColorsFromIni(file);
    QCOMPARE(comment->Background(), SynColor(background));
    QCOMPARE(comment->Foreground(), SynColor(foreground));
    QCOMPARE(int(comment->Style()), style);
}

void TestHighlightFramework::loadingIsFalseWhenASectionIsMissing()
{
    ColourOnlyHighlighter h(PhpNames);
    MemoryProfile file;
    for (const QString &name : PhpNames.mid(1))
        file.writeString(name, u"Style", QStringLiteral("1"));
    QVERIFY(!h.LoadColorsFromIni(file));
    QCOMPARE(h.find("Comment")->Style(), std::uint8_t(fsBold)); // the others still load
    QCOMPARE(h.find("Symbol")->Style(), std::uint8_t(0));
}

void TestHighlightFramework::sharedNamesTakeColoursFromAnotherHighlighter()
{
    ColourOnlyHighlighter php(PhpNames + QStringList{"Variable"});
    php.find("Variable")->SetForeground(0x800080);
    php.find("Comment")->SetForeground(0x008000);
    MemoryProfile file;
    php.SaveColorsToIni(file);

    ColourOnlyHighlighter general({"Comment", "Preprocessor"});
    general.find("Preprocessor")->SetForeground(0x808000);
    QVERIFY(!general.LoadColorsFromIni(file));
    QCOMPARE(general.find("Comment")->Foreground(), SynColor(0x008000));
    QCOMPARE(general.find("Preprocessor")->Foreground(), SynColor(0x808000));
}

void TestHighlightFramework::assignCopiesMatchingAttributes()
{
    ColourOnlyHighlighter source({"Comment", "String"});
    source.find("Comment")->SetForeground(0x00FF00);
    source.SetDefaultFilter(QStringLiteral("PHP Files (*.php)|*.php"));
    source.SetEnabled(false);
    ColourOnlyHighlighter target({"Comment", "Symbol"});
    target.Assign(source);
    QCOMPARE(target.find("Comment")->Foreground(), SynColor(0x00FF00));
    QCOMPARE(target.DefaultFilter(), source.DefaultFilter());
    QVERIFY(!target.Enabled());
}

void TestHighlightFramework::duplicateAttributesAreRaisedAndLeftOut_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("messages");
    QTest::addRow("unique names") << QStringList{"Symbol", "Comment"} << QStringList{"Comment", "Symbol"}
                                  << QStringList{};
    QTest::addRow("same name twice")
        << QStringList{"Comment", "Symbol", "Comment"} << QStringList{"Comment", "Symbol"}
        << QStringList{"Duplicate attribute name \"Comment\" in the <Unknown> highlighter: the second is not added"};
    QTest::addRow("names differing in case")
        << QStringList{"Comment", "COMMENT"} << QStringList{"Comment"}
        << QStringList{"Duplicate attribute name \"COMMENT\" in the <Unknown> highlighter: the second is not added"};
    QTest::addRow("each duplicate raised")
        << QStringList{"String", "string", "String"} << QStringList{"String"}
        << QStringList{"Duplicate attribute name \"string\" in the <Unknown> highlighter: the second is not added",
                       "Duplicate attribute name \"String\" in the <Unknown> highlighter: the second is not added"};
}

void TestHighlightFramework::duplicateAttributesAreRaisedAndLeftOut()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, messages);
    RaisedErrors errors;
    ColourOnlyHighlighter h(added);
    QCOMPARE(errors.messages, messages);
    QStringList names;
    for (int i = 0; i < h.AttriCount(); ++i)
        names.append(h.AttriAt(i)->AttriName());
    QCOMPARE(names, listed);

    // The colour file still holds one section per attribute, and it reads back whole.
    MemoryProfile file;
    h.find(listed.first())->SetForeground(0x008000);
    QVERIFY(h.SaveColorsToIni(file));
    QCOMPARE(file.lines().size(), 3 * listed.size());
    ColourOnlyHighlighter loaded(listed);
    QVERIFY(loaded.LoadColorsFromIni(file));
    QCOMPARE(loaded.find(listed.first())->Foreground(), SynColor(0x008000));
}

void TestHighlightFramework::builtInHighlightersRaiseNothing()
{
    RaisedErrors errors;
    SynPHPSyn php;
    SynHTMLSyn html;
    QCOMPARE(errors.messages, QStringList());
    QVERIFY(php.AttriCount() > 0);
    QVERIFY(html.AttriCount() > 0);
}

void TestHighlightFramework::errorHandlerCanBeReplacedAndRestored()
{
    QStringList outer;
    const SynErrorHandler before = SetSynErrorHandler([&](const QString &message) { outer.append(message); });
    {
        RaisedErrors inner;
        SynRaiseError(QStringLiteral("first"));
        QCOMPARE(inner.messages, QStringList({"first"}));
    }
    SynRaiseError(QStringLiteral("second"));
    QCOMPARE(outer, QStringList({"second"}));
    // An empty handler brings back the default, which logs.
    SetSynErrorHandler({});
    QTest::ignoreMessage(QtWarningMsg, "third");
    SynRaiseError(QStringLiteral("third"));
    SetSynErrorHandler(before);
}

void TestHighlightFramework::chainsOrderByLength()
{
    SynHashEntryList list;
    list.Put(3, std::make_unique<SynHashEntry>(QStringLiteral("select"), 1));
    list.Put(3, std::make_unique<SynHashEntry>(QStringLiteral("as"), 2));
    list.Put(3, std::make_unique<SynHashEntry>(QStringLiteral("or"), 3));
    list.Put(3, std::make_unique<SynHashEntry>(QStringLiteral("from"), 4));
    QStringList chain;
    for (const SynHashEntry *e = list.Get(3); e; e = e->Next.get())
        chain.append(e->Keyword);
    QCOMPARE(chain, QStringList({"as", "or", "from", "select"}));
    QCOMPARE(list.Count(), 4);
    QVERIFY(!list.Get(0));
    QVERIFY(!list.Get(4));
    QVERIFY(!list.Get(-1));
}

void TestHighlightFramework::duplicateKeywordIsRefused()
{
    SynHashEntryList list;
    list.Put(7, std::make_unique<SynHashEntry>(QStringLiteral("SELECT"), 1));
    try {
        list.Put(7, std::make_unique<SynHashEntry>(QStringLiteral("select"), 1));
        QFAIL("a duplicate keyword was stored");
    } catch (const SynDuplicateKeyword &e) {
        QCOMPARE(e.message(), QStringLiteral("Keyword \"SELECT\" already in list"));
    }
    QCOMPARE(list.Get(7)->Next.get(), nullptr);
    try {
        list.Put(7, std::make_unique<SynHashEntry>(QStringLiteral("Select"), 1));
        QFAIL("a duplicate keyword was stored");
    } catch (const std::exception &e) {
        // An error that reaches a plain catch still says which keyword it was.
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Keyword \"SELECT\" already in list"));
    }
}

void TestHighlightFramework::keywordWithNegativeHashIsRaised()
{
    RaisedErrors errors;
    SynHashEntryList list;
    list.Put(-3, std::make_unique<SynHashEntry>(QStringLiteral("echo"), 1));
    QCOMPARE(errors.messages, QStringList({"Keyword \"echo\" has no place in the list: its hash -3 is negative"}));
    QCOMPARE(list.Count(), 0);
    list.Put(2, std::make_unique<SynHashEntry>(QStringLiteral("echo"), 1));
    QCOMPARE(list.Get(2)->Keyword, QStringLiteral("echo"));
}

void TestHighlightFramework::keywordListExpansion()
{
    QStringList added;
    const CharSet letters = CharSet::range('a', 'z') | CharSet::range('A', 'Z') | CharSet::of({'_'});
    EnumerateKeywords(5, u"  select,from\r\n  where_x 12 go", letters, [&](QStringView word, int kind) {
        added.append(word.toString() + u'/' + QString::number(kind));
    });
    QCOMPARE(added, QStringList({"select/5", "from/5", "where_x/5", "go/5"}));
    added.clear();
    EnumerateKeywords(5, u"", letters, [&](QStringView word, int) { added.append(word.toString()); });
    EnumerateKeywords(5, u"a b", letters, {});
    QVERIFY(added.isEmpty());
}

namespace {

// Letters hash to 1..26 in both cases; digits share the value 0 and belong to the hash set.
const SynHashCharTables &letterTables()
{
    static const SynHashCharTables tables = [] {
        SynHashCharTables t;
        for (int c = 'a'; c <= 'z'; ++c) {
            t.inHash[c] = t.inHash[c - 32] = true;
            t.value[c] = t.value[c - 32] = c - 'a' + 1;
        }
        for (int c = '0'; c <= '9'; ++c)
            t.inHash[c] = true;
        return t;
    }();
    return tables;
}

} // namespace

void TestHighlightFramework::keywordSlots_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("kind");
    QTest::addRow("keyword") << "echo" << 1;
    QTest::addRow("any case") << "EcHo" << 1;
    QTest::addRow("second in the slot") << "if" << 2; // "if" and "fi" share a hash
    QTest::addRow("first in the slot") << "fi" << 3;
    QTest::addRow("same hash, other word") << "o" << 0; // o = 15, as f + i
    QTest::addRow("digits match each other") << "a1" << 4;
    QTest::addRow("digit keyword hit by other digit") << "a7" << 4;
    QTest::addRow("longer word") << "echos" << 0;
    QTest::addRow("stops at non-hash character") << "if(x)" << 2;
    QTest::addRow("hash beyond the table") << "zzzzzzzz" << 0;
}

void TestHighlightFramework::keywordSlots()
{
    QFETCH(QString, word);
    QFETCH(int, kind);
    const SynKeywordSlotTable table(letterTables(), {{u"echo", 1}, {u"fi", 3}, {u"if", 2}, {u"a0", 4}}, 0);
    QCOMPARE(table.KindOf(word), kind);
}

QTEST_GUILESS_MAIN(TestHighlightFramework)
#include "tst_highlight_framework.moc"
