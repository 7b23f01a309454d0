#include "SynHighlighterAttributes.h"

SynHighlighterAttributes::SynHighlighterAttributes(QString name) : m_name(std::move(name)) { }

void SynHighlighterAttributes::Changed()
{
    if (m_onChange)
        m_onChange();
}

void SynHighlighterAttributes::SetBackground(SynColor colour)
{
    if (m_background == colour)
        return;
    m_background = colour;
    Changed();
}

void SynHighlighterAttributes::SetForeground(SynColor colour)
{
    if (m_foreground == colour)
        return;
    m_foreground = colour;
    Changed();
}

void SynHighlighterAttributes::SetStyle(std::uint8_t style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}

void SynHighlighterAttributes::Assign(const SynHighlighterAttributes &other)
{
    const bool differs =
        m_background != other.m_background || m_foreground != other.m_foreground || m_style != other.m_style;
    m_name = other.m_name;
    m_background = other.m_background;
    m_foreground = other.m_foreground;
    m_style = other.m_style;
    if (differs)
        Changed();
}
