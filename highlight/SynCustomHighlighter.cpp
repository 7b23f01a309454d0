#include "SynCustomHighlighter.h"

#include "CharClasses.h"
#include "ProfileFile.h"

#include <QtGlobal>

#include <algorithm>
#include <utility>

namespace {

bool nameBefore(const std::unique_ptr<SynHighlighterAttributes> &a, const QString &name)
{
    return a->AttriName().compare(name, Qt::CaseInsensitive) < 0;
}

constexpr char16_t KeyBackground[] = u"Background";
constexpr char16_t KeyForeground[] = u"Foreground";
constexpr char16_t KeyStyle[] = u"Style";

void logError(const QString &message)
{
    qWarning("%s", qUtf8Printable(message));
}

SynErrorHandler &errorHandler()
{
    static SynErrorHandler handler = logError;
    return handler;
}

} // namespace

SynErrorHandler SetSynErrorHandler(SynErrorHandler handler)
{
    return std::exchange(errorHandler(), handler ? std::move(handler) : SynErrorHandler(logError));
}

void SynRaiseError(const QString &message)
{
    errorHandler()(message);
}

SynCustomHighlighter::SynCustomHighlighter() : m_wordBreaks(DefaultWordBreaks) { }

SynCustomHighlighter::~SynCustomHighlighter()
{
    const Hooks hooks = std::move(m_destroyedHooks);
    for (const auto &hook : hooks)
        hook.second();
}

int SynCustomHighlighter::AttriCount() const
{
    return static_cast<int>(m_attributes.size());
}

SynHighlighterAttributes *SynCustomHighlighter::AttriAt(int index) const
{
    if (index < 0 || index >= AttriCount())
        return nullptr;
    return m_attributes[static_cast<size_t>(index)].get();
}

void SynCustomHighlighter::AddAttri(std::unique_ptr<SynHighlighterAttributes> attribute)
{
    const QString &name = attribute->AttriName();
    const auto at = std::lower_bound(m_attributes.begin(), m_attributes.end(), name, nameBefore);
    if (at != m_attributes.end() && (*at)->AttriName().compare(name, Qt::CaseInsensitive) == 0) {
        // Both would share one section of the colour file; only the first is listed.
        SynRaiseError(QStringLiteral("Duplicate attribute name \"%1\" in the %2 highlighter: the second is not added")
                          .arg(name, LanguageTitle()));
        m_refusedAttributes.push_back(std::move(attribute));
        return;
    }
    m_attributes.insert(at, std::move(attribute));
}

SynHighlighterAttributes *SynCustomHighlighter::AddAttri(const QString &name, std::uint8_t style)
{
    auto attribute = std::make_unique<SynHighlighterAttributes>(name);
    attribute->SetStyle(style);
    SynHighlighterAttributes *raw = attribute.get();
    AddAttri(std::move(attribute));
    return raw;
}

void SynCustomHighlighter::ConnectAttributes()
{
    for (const auto &attribute : m_attributes)
        attribute->SetOnAttriChange([this] { AttriChanged(); });
}

CharSet SynCustomHighlighter::WordChars() const
{
    return CharSet::range(33, 255);
}

void SynCustomHighlighter::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    AttriChanged();
}

void SynCustomHighlighter::ScanToLineEnd()
{
    while (!AtLineEnd())
        Advance();
}

void SynCustomHighlighter::AttriChanged()
{
    // A listener may unhook itself while being told; walk a copy.
    const auto hooks = m_hooks;
    for (const auto &hook : hooks)
        hook.second();
}

void SynCustomHighlighter::HookAttriChange(const void *listener, std::function<void()> handler)
{
    m_hooks.emplace_back(listener, std::move(handler));
}

void SynCustomHighlighter::UnhookAttriChange(const void *listener)
{
    std::erase_if(m_hooks, [listener](const auto &hook) { return hook.first == listener; });
}

void SynCustomHighlighter::HookDestroyed(const void *listener, std::function<void()> handler)
{
    m_destroyedHooks.emplace_back(listener, std::move(handler));
}

void SynCustomHighlighter::UnhookDestroyed(const void *listener)
{
    std::erase_if(m_destroyedHooks, [listener](const auto &hook) { return hook.first == listener; });
}

bool SynCustomHighlighter::LoadColorsFromIni(const ProfileFile &file)
{
    bool everyAttribute = true;
    for (const auto &attribute : m_attributes) {
        const QString &section = attribute->AttriName();
        const QStringList keys = file.SectionKeys(section);
        if (keys.isEmpty()) {
            everyAttribute = false;
            continue;
        }
        const auto has = [&keys](QStringView key) { return keys.contains(key, Qt::CaseInsensitive); };
        if (has(KeyBackground))
            attribute->SetBackground(
                static_cast<SynColor>(file.readInteger(section, KeyBackground, int(clSystemWindow))));
        if (has(KeyForeground))
            attribute->SetForeground(
                static_cast<SynColor>(file.readInteger(section, KeyForeground, int(clSystemWindowText))));
        if (has(KeyStyle))
            attribute->SetStyle(static_cast<std::uint8_t>(file.readInteger(section, KeyStyle, 0) & 0x0F));
    }
    return everyAttribute;
}

bool SynCustomHighlighter::SaveColorsToIni(ProfileFile &file) const
{
    for (const auto &attribute : m_attributes) {
        const QString &section = attribute->AttriName();
        file.writeInteger(section, KeyBackground, static_cast<int>(attribute->Background()));
        file.writeInteger(section, KeyForeground, static_cast<int>(attribute->Foreground()));
        file.writeInteger(section, KeyStyle, attribute->Style());
    }
    return true;
}

void SynCustomHighlighter::Assign(const SynCustomHighlighter &other)
{
    for (const auto &own : m_attributes) {
        const auto match = std::find_if(other.m_attributes.begin(), other.m_attributes.end(), [&](const auto &a) {
            return a->AttriName().compare(own->AttriName(), Qt::CaseInsensitive) == 0;
        });
        if (match != other.m_attributes.end())
            own->Assign(**match);
    }
    m_wordBreaks = other.m_wordBreaks;
    m_defaultFilter = other.m_defaultFilter;
    SetEnabled(other.m_enabled);
}

CharSet LatinWordChars()
{
    return CharSet::range('0', '9') | CharSet::range('A', 'Z') | CharSet::of({'_'}) | CharSet::range('a', 'z')
        | (CharSet::range(192, 255) - CharSet::of({215, 247}));
}
