#pragma once

// A position in the text: 1-based column (Char) and 1-based line (Line). The column may lie past
// the end of its line (virtual space).
struct BufferCoord {
    int Char = 1;
    int Line = 1;

    // Text order. (Written out rather than with <=>: moc cannot parse <compare> when it comes
    // before the Qt headers.)
    bool operator==(const BufferCoord &) const = default;
    bool operator<(const BufferCoord &o) const { return Line != o.Line ? Line < o.Line : Char < o.Char; }
    bool operator>(const BufferCoord &o) const { return o < *this; }
    bool operator<=(const BufferCoord &o) const { return !(o < *this); }
    bool operator>=(const BufferCoord &o) const { return !(*this < o); }
};

enum class SelectionMode { Normal, Column, Line };

// The editor options the program sets or that change how commands behave.
enum EditorOption : unsigned {
    eoAltSetsColumnMode = 1u << 0,
    eoAutoIndent = 1u << 1,
    eoDragDropEditing = 1u << 2,
    eoEnhanceHomeKey = 1u << 3,
    eoGroupUndo = 1u << 4,
    eoHideShowScrollbars = 1u << 5,
    eoRightMouseMovesCursor = 1u << 6,
    eoScrollHintFollows = 1u << 7,
    eoScrollPastEol = 1u << 8,
    eoShowScrollHint = 1u << 9,
    eoSmartTabDelete = 1u << 10,
    eoTabsToSpaces = 1u << 11,
    eoTrimTrailingSpaces = 1u << 12,
    eoSmartTabs = 1u << 13,
    eoScrollPastEof = 1u << 14,
    eoTabIndent = 1u << 15,
};
using EditorOptions = unsigned;

// The option bits of SearchReplace, as the search dialog passes them.
enum SearchOption : unsigned {
    ssoMatchCase = 1,
    ssoWholeWord = 2,
    ssoBackwards = 4,
    ssoEntireScope = 8, // from the document's start (backwards: its end) instead of the caret
    ssoSelectedOnly = 16,
    ssoReplace = 32, // the first match
    ssoReplaceAll = 64,
    ssoPrompt = 128, // ask before each replacement: no one asks here, so every match is replaced
};
using SearchOptions = unsigned;

// The options the main window's editor starts with.
constexpr EditorOptions DefaultEditorOptions = eoAltSetsColumnMode | eoAutoIndent | eoDragDropEditing | eoEnhanceHomeKey
    | eoGroupUndo | eoHideShowScrollbars | eoRightMouseMovesCursor | eoScrollHintFollows | eoScrollPastEol
    | eoShowScrollHint | eoSmartTabDelete | eoTabsToSpaces | eoTrimTrailingSpaces;

// The editor commands keys are bound to.
// clang-format off
enum class EditorCommand {
    None,
    Char,  // a typed character, given beside the command
    Up, SelUp, ScrollUp, Down, SelDown, ScrollDown,
    Left, SelLeft, WordLeft, SelWordLeft, Right, SelRight, WordRight, SelWordRight,
    PageDown, SelPageDown, PageBottom, SelPageBottom, PageUp, SelPageUp, PageTop, SelPageTop,
    LineStart, SelLineStart, EditorTop, SelEditorTop, LineEnd, SelLineEnd, EditorBottom, SelEditorBottom,
    ToggleMode, Copy, Cut, Paste, DeleteChar, DeleteLastChar, DeleteLastWord, Undo, Redo, LineBreak,
    Tab, ShiftTab, ContextHelp, SelectAll, BlockIndent, BlockUnindent, InsertLine, DeleteWord,
    DeleteLine, DeleteEOL,
    GotoMarker0, GotoMarker1, GotoMarker2, GotoMarker3, GotoMarker4,
    GotoMarker5, GotoMarker6, GotoMarker7, GotoMarker8, GotoMarker9,
    SetMarker0, SetMarker1, SetMarker2, SetMarker3, SetMarker4,
    SetMarker5, SetMarker6, SetMarker7, SetMarker8, SetMarker9,
    NormalSelect, ColumnSelect, LineSelect, MatchBracket, UpperCase, LowerCase, ToggleCase,
};
// clang-format on
