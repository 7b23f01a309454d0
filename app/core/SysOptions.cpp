#include "SysOptions.h"

#include "IniFile.h"

#include <algorithm>
#include <variant>

namespace {

using Field = std::variant<QString SysOptions::*, int SysOptions::*, bool SysOptions::*>;

struct OptionKey {
    const char16_t *section;
    const char16_t *key;
    Field field;
};

constexpr char16_t Editor[] = u"Editor";
constexpr char16_t General[] = u"General";

// The order window creation reads the keys in.
// clang-format off
const OptionKey ReadOrder[] = {
    {Editor, u"FontName", &SysOptions::FontName},
    {Editor, u"FontSize", &SysOptions::FontSize},
    {Editor, u"BackGroundColor", &SysOptions::BackGroundColor},
    {Editor, u"RightEdge", &SysOptions::RightEdge},
    {Editor, u"Gutter", &SysOptions::Gutter},
    {Editor, u"SmartTabs", &SysOptions::SmartTabs},
    {Editor, u"TabWidth", &SysOptions::TabWidth},
    {Editor, u"AutoIndent", &SysOptions::AutoIndent},
    {Editor, u"PHPVars", &SysOptions::PHPVars},
    {Editor, u"PHPDefault", &SysOptions::PHPDefault},
    {Editor, u"PHPCustomHighlighting", &SysOptions::PHPCustomHighlighting},
    {Editor, u"CompletionProposal", &SysOptions::CompletionProposal},
    {Editor, u"AutoComplete", &SysOptions::AutoComplete},
    {General, u"WarnAboutSave", &SysOptions::WarnAboutSave},
    {General, u"PreviewAsFileName", &SysOptions::PreviewAsFileName},
    {General, u"ExternalViewer", &SysOptions::ExternalViewer},
    {General, u"ViewerName", &SysOptions::ViewerName},
    {General, u"AcceptParameter", &SysOptions::AcceptParameter},
    {General, u"CreateBackups", &SysOptions::CreateBackups},
    {General, u"OpenLastUsed", &SysOptions::OpenLastUsed},
    {General, u"BuiltInServer", &SysOptions::BuiltInServer},
};
// clang-format on

// The order the keys are written in. The custom-highlighting key has always been written with a
// lower-case "h"; names match without regard to case, so it reads back as the same entry.
// clang-format off
const OptionKey WriteOrder[] = {
    {Editor, u"FontName", &SysOptions::FontName},
    {Editor, u"FontSize", &SysOptions::FontSize},
    {Editor, u"BackGroundColor", &SysOptions::BackGroundColor},
    {Editor, u"RightEdge", &SysOptions::RightEdge},
    {Editor, u"Gutter", &SysOptions::Gutter},
    {Editor, u"AutoIndent", &SysOptions::AutoIndent},
    {Editor, u"SmartTabs", &SysOptions::SmartTabs},
    {Editor, u"PHPVars", &SysOptions::PHPVars},
    {Editor, u"PHPDefault", &SysOptions::PHPDefault},
    {Editor, u"PHPCustomhighlighting", &SysOptions::PHPCustomHighlighting},
    {Editor, u"AutoComplete", &SysOptions::AutoComplete},
    {Editor, u"CompletionProposal", &SysOptions::CompletionProposal},
    {Editor, u"TabWidth", &SysOptions::TabWidth},
    {General, u"ExternalViewer", &SysOptions::ExternalViewer},
    {General, u"ViewerName", &SysOptions::ViewerName},
    {General, u"WarnAboutSave", &SysOptions::WarnAboutSave},
    {General, u"PreviewAsFileName", &SysOptions::PreviewAsFileName},
    {General, u"AcceptParameter", &SysOptions::AcceptParameter},
    {General, u"CreateBackups", &SysOptions::CreateBackups},
    {General, u"OpenLastUsed", &SysOptions::OpenLastUsed},
    {General, u"BuiltInServer", &SysOptions::BuiltInServer},
};
// clang-format on

template <typename... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Spelled out for compilers that do not deduce an aggregate's arguments yet (clang 14).
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

SysOptions readSysOptions(const IniFile &ini)
{
    SysOptions options;
    for (const OptionKey &k : ReadOrder) {
        std::visit(Overloaded{
                       [&](QString SysOptions::*f) { options.*f = ini.readString(k.section, k.key, options.*f); },
                       [&](int SysOptions::*f) { options.*f = ini.readInteger(k.section, k.key, options.*f); },
                       [&](bool SysOptions::*f) { options.*f = ini.readBool(k.section, k.key, options.*f); },
                   },
                   k.field);
    }
    clampSizes(options);
    return options;
}

void clampSizes(SysOptions &options)
{
    options.TabWidth = std::clamp(options.TabWidth, 1, MaxTabWidth);
    options.RightEdge = std::clamp(options.RightEdge, 0, MaxRightEdge);
    options.FontSize = std::clamp(options.FontSize, MinFontSize, MaxFontSize);
}

void writeSysOptions(IniFile &ini, const SysOptions &options)
{
    for (const OptionKey &k : WriteOrder) {
        std::visit(Overloaded{
                       [&](QString SysOptions::*f) { ini.writeString(k.section, k.key, options.*f); },
                       [&](int SysOptions::*f) { ini.writeInteger(k.section, k.key, options.*f); },
                       [&](bool SysOptions::*f) { ini.writeBool(k.section, k.key, options.*f); },
                   },
                   k.field);
    }
}

int readLanguageIndex(const IniFile &ini)
{
    return ini.readInteger(u"Language", u"Language", 0);
}

void writeLanguageIndex(IniFile &ini, int languageIndex)
{
    ini.writeInteger(u"Language", u"Language", languageIndex);
}
