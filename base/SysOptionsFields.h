#pragma once

#include <QString>

// The program's settings, one field per settings key, with the values a first run starts with.
struct SysOptions {
    QString FontName; // empty: the editor keeps its built-in font
    int FontSize = 10;
    int RightEdge = 250;
    bool Gutter = true;
    int BackGroundColor = 16777215; // 0x00BBGGRR, white
    bool SmartTabs = true;
    int TabWidth = 3;
    bool AutoIndent = true;
    bool ExternalViewer = false;
    QString ViewerName;
    bool PreviewAsFileName = false;
    bool WarnAboutSave = true;
    bool AcceptParameter = true;
    bool OpenLastUsed = true;
    bool CreateBackups = true;
    bool PHPVars = true;
    bool PHPDefault = false;
    bool PHPCustomHighlighting = false;
    bool CompletionProposal = true;
    bool AutoComplete = true;
    // Preview without a web server of the user's: PHP's own server serves the project folder
    // while the project has no server URL.
    bool BuiltInServer = false;

    bool operator==(const SysOptions &) const = default;
};

// The ranges of the values that size the editor; a settings file may hold anything.
constexpr int MaxTabWidth = 64;
constexpr int MaxRightEdge = 10000;
constexpr int MinFontSize = 4;
constexpr int MaxFontSize = 96;
