#include "SynHighlighterHtml.h"
#include "SynHighlighterPHP.h"
#include "SyntaxColourItems.h"

#include <QtTest>

#include <functional>
#include <set>

// The Options dialog's colour items: which PHP and HTML attributes each one shows and edits.
class TestSyntaxColourItems : public QObject
{
    Q_OBJECT

private slots:
    void eachItemEditsItsAttributes();
    void restoreTakesEveryAttributeBack();

private:
    using Attributes = std::set<const SynHighlighterAttributes *>;
    // The attributes of both highlighters that edit changed.
    Attributes changedBy(const std::function<void(SyntaxColourItems &)> &edit);

    SynPHPSyn m_php;
    SynHTMLSyn m_html;
};

TestSyntaxColourItems::Attributes TestSyntaxColourItems::changedBy(const std::function<void(SyntaxColourItems &)> &edit)
{
    SyntaxColourItems items(m_php, m_html);
    const SyntaxColourItems::Saved before = items.save();
    edit(items);
    const SyntaxColourItems::Saved after = items.save();
    Attributes changed;
    int index = 0;
    for (const SynCustomHighlighter *highlighter : {static_cast<SynCustomHighlighter *>(&m_php),
                                                    static_cast<SynCustomHighlighter *>(&m_html)})
        for (int i = 0; i < highlighter->AttriCount(); ++i, ++index) {
            const auto &[fore, back, style] = before[index];
            const auto &[foreNow, backNow, styleNow] = after[index];
            if (fore != foreNow || back != backNow || style != styleNow)
                changed.insert(highlighter->AttriAt(i));
        }
    items.restore(before);
    return changed;
}

void TestSyntaxColourItems::eachItemEditsItsAttributes()
{
    const SynPHPSyn &p = m_php;
    const SynHTMLSyn &h = m_html;
    struct Row {
        const char *name;
        const SynHighlighterAttributes *shown;
        Attributes colours;
        Attributes styles;
    };
    // clang-format off
    const QList<Row> rows{
        {"Comment",    p.CommentAttri(),    {p.CommentAttri(), h.CommentAttri()},       {p.CommentAttri(), h.CommentAttri()}},
        {"Identifier", p.IdentifierAttri(), {p.IdentifierAttri(), h.IdentifierAttri()}, {p.IdentifierAttri(), h.IdentifierAttri()}},
        {"HTML Tag",   h.KeyAttri(),        {h.KeyAttri()},                             {h.KeyAttri()}},
        {"Keyword",    p.KeyAttri(),        {p.KeyAttri()},                             {p.KeyAttri(), h.KeyAttri()}},
        {"Number",     p.NumberAttri(),     {p.NumberAttri()},                          {p.NumberAttri()}},
        {"Space",      p.SpaceAttri(),      {p.SpaceAttri(), h.SpaceAttri()},           {p.SpaceAttri(), h.SpaceAttri()}},
        {"String",     p.StringAttri(),     {p.StringAttri()},                          {p.StringAttri()}},
        {"Symbol",     h.SymbolAttri(),     {p.SymbolAttri(), h.SymbolAttri()},         {p.SymbolAttri(), h.SymbolAttri()}},
        {"Text",       h.TextAttri(),       {h.TextAttri()},                            {h.TextAttri()}},
        {"Value",      h.ValueAttri(),      {h.ValueAttri()},                           {h.ValueAttri()}},
        {"Variable",   p.VariableAttri(),   {p.VariableAttri()},                        {p.VariableAttri()}},
    };
    // clang-format on
    QCOMPARE(SyntaxColourItems::names().size(), rows.size());
    SyntaxColourItems items(m_php, m_html);
    for (int item = 0; item < rows.size(); ++item) {
        const Row &row = rows[item];
        QCOMPARE(SyntaxColourItems::names()[item], QString::fromLatin1(row.name));
        QCOMPARE(&items.shown(item), row.shown);
        // Colours no attribute has, and each style bit switched to the opposite of the shown one's.
        QCOMPARE(changedBy([item](SyntaxColourItems &edit) { edit.setForeground(item, 0x123456); }), row.colours);
        QCOMPARE(changedBy([item](SyntaxColourItems &edit) { edit.setBackground(item, 0x654321); }), row.colours);
        for (std::uint8_t bit : {fsBold, fsItalic, fsUnderline}) {
            const bool on = (row.shown->Style() & bit) == 0;
            // Those of the row's attributes that do not have the bit that way yet.
            Attributes expected;
            for (const SynHighlighterAttributes *attribute : row.styles)
                if (((attribute->Style() & bit) != 0) != on)
                    expected.insert(attribute);
            QVERIFY2(expected.count(row.shown), row.name);
            QCOMPARE(changedBy([&](SyntaxColourItems &edit) { edit.setStyleBit(item, bit, on); }), expected);
        }
    }
}

void TestSyntaxColourItems::restoreTakesEveryAttributeBack()
{
    SyntaxColourItems items(m_php, m_html);
    const SyntaxColourItems::Saved opened = items.save();
    for (int item = 0; item < SyntaxColourItems::Count; ++item) {
        items.setForeground(item, 0x00FF00);
        items.setBackground(item, clDefault);
        items.setStyleBit(item, fsUnderline, true);
    }
    QVERIFY(items.save() != opened);
    items.restore(opened);
    QVERIFY(items.save() == opened);
    QCOMPARE(m_html.KeyAttri()->Style() & fsUnderline, 0);
}

QTEST_GUILESS_MAIN(TestSyntaxColourItems)
#include "tst_syntax_colour_items.moc"
