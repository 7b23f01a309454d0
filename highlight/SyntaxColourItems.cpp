#include "SyntaxColourItems.h"

#include "SynHighlighterHtml.h"
#include "SynHighlighterPHP.h"

SyntaxColourItems::SyntaxColourItems(SynPHPSyn &php, SynHTMLSyn &html) : m_highlighters{&php, &html}
{
    // clang-format off
    m_items = {{
        {php.CommentAttri(),    {php.CommentAttri(), html.CommentAttri()},       {php.CommentAttri(), html.CommentAttri()}},
        {php.IdentifierAttri(), {php.IdentifierAttri(), html.IdentifierAttri()}, {php.IdentifierAttri(), html.IdentifierAttri()}},
        {html.KeyAttri(),       {html.KeyAttri(), nullptr},                      {html.KeyAttri(), nullptr}},
        {php.KeyAttri(),        {php.KeyAttri(), nullptr},                       {php.KeyAttri(), html.KeyAttri()}},
        {php.NumberAttri(),     {php.NumberAttri(), nullptr},                    {php.NumberAttri(), nullptr}},
        {php.SpaceAttri(),      {php.SpaceAttri(), html.SpaceAttri()},           {php.SpaceAttri(), html.SpaceAttri()}},
        {php.StringAttri(),     {php.StringAttri(), nullptr},                    {php.StringAttri(), nullptr}},
        {html.SymbolAttri(),    {php.SymbolAttri(), html.SymbolAttri()},         {php.SymbolAttri(), html.SymbolAttri()}},
        {html.TextAttri(),      {html.TextAttri(), nullptr},                     {html.TextAttri(), nullptr}},
        {html.ValueAttri(),     {html.ValueAttri(), nullptr},                    {html.ValueAttri(), nullptr}},
        {php.VariableAttri(),   {php.VariableAttri(), nullptr},                  {php.VariableAttri(), nullptr}},
    }};
    // clang-format on
}

QStringList SyntaxColourItems::names()
{
    return {QStringLiteral("Comment"), QStringLiteral("Identifier"), QStringLiteral("HTML Tag"),
            QStringLiteral("Keyword"), QStringLiteral("Number"),     QStringLiteral("Space"),
            QStringLiteral("String"),  QStringLiteral("Symbol"),     QStringLiteral("Text"),
            QStringLiteral("Value"),   QStringLiteral("Variable")};
}

const SynHighlighterAttributes &SyntaxColourItems::shown(int item) const
{
    return *m_items[item].shown;
}

void SyntaxColourItems::setForeground(int item, SynColor colour)
{
    for (SynHighlighterAttributes *attribute : m_items[item].colours)
        if (attribute)
            attribute->SetForeground(colour);
}

void SyntaxColourItems::setBackground(int item, SynColor colour)
{
    for (SynHighlighterAttributes *attribute : m_items[item].colours)
        if (attribute)
            attribute->SetBackground(colour);
}

void SyntaxColourItems::setStyleBit(int item, std::uint8_t bit, bool on)
{
    for (SynHighlighterAttributes *attribute : m_items[item].styles)
        if (attribute)
            attribute->SetStyle(on ? attribute->Style() | bit : attribute->Style() & ~bit);
}

QList<SynHighlighterAttributes *> SyntaxColourItems::everyAttribute() const
{
    QList<SynHighlighterAttributes *> attributes;
    for (const SynCustomHighlighter *highlighter : m_highlighters)
        for (int i = 0; i < highlighter->AttriCount(); ++i)
            attributes.append(highlighter->AttriAt(i));
    return attributes;
}

SyntaxColourItems::Saved SyntaxColourItems::save() const
{
    Saved saved;
    for (const SynHighlighterAttributes *attribute : everyAttribute())
        saved.append({attribute->Foreground(), attribute->Background(), attribute->Style()});
    return saved;
}

void SyntaxColourItems::restore(const Saved &saved)
{
    const QList<SynHighlighterAttributes *> attributes = everyAttribute();
    for (qsizetype i = 0; i < attributes.size() && i < saved.size(); ++i) {
        attributes[i]->SetForeground(saved[i].foreground);
        attributes[i]->SetBackground(saved[i].background);
        attributes[i]->SetStyle(saved[i].style);
    }
}
