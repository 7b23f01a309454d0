#include "KeyBindings.h"

#include <QKeyEvent>

#include <algorithm>
#include <iterator>

namespace {

using C = EditorCommand;

constexpr unsigned None = Qt::NoModifier;
constexpr unsigned Shift = Qt::ShiftModifier;
constexpr unsigned Ctrl = Qt::ControlModifier;
constexpr unsigned Alt = Qt::AltModifier;
constexpr unsigned Bound = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// A key (or a run of consecutive keys bound to consecutive commands) with its modifiers.
struct KeyStroke {
    int firstKey;
    int lastKey;
    unsigned modifiers;
    EditorCommand firstCommand;
};

constexpr KeyStroke Key(int key, unsigned modifiers, EditorCommand command)
{
    return {key, key, modifiers, command};
}

// clang-format off
constexpr KeyStroke Keystrokes[] = {
    Key(Qt::Key_Up, None, C::Up), Key(Qt::Key_Up, Shift, C::SelUp), Key(Qt::Key_Up, Ctrl, C::ScrollUp),
    Key(Qt::Key_Down, None, C::Down), Key(Qt::Key_Down, Shift, C::SelDown), Key(Qt::Key_Down, Ctrl, C::ScrollDown),
    Key(Qt::Key_Left, None, C::Left), Key(Qt::Key_Left, Shift, C::SelLeft),
    Key(Qt::Key_Left, Ctrl, C::WordLeft), Key(Qt::Key_Left, Shift | Ctrl, C::SelWordLeft),
    Key(Qt::Key_Right, None, C::Right), Key(Qt::Key_Right, Shift, C::SelRight),
    Key(Qt::Key_Right, Ctrl, C::WordRight), Key(Qt::Key_Right, Shift | Ctrl, C::SelWordRight),
    Key(Qt::Key_PageDown, None, C::PageDown), Key(Qt::Key_PageDown, Shift, C::SelPageDown),
    Key(Qt::Key_PageDown, Ctrl, C::PageBottom), Key(Qt::Key_PageDown, Shift | Ctrl, C::SelPageBottom),
    Key(Qt::Key_PageUp, None, C::PageUp), Key(Qt::Key_PageUp, Shift, C::SelPageUp),
    Key(Qt::Key_PageUp, Ctrl, C::PageTop), Key(Qt::Key_PageUp, Shift | Ctrl, C::SelPageTop),
    Key(Qt::Key_Home, None, C::LineStart), Key(Qt::Key_Home, Shift, C::SelLineStart),
    Key(Qt::Key_Home, Ctrl, C::EditorTop), Key(Qt::Key_Home, Shift | Ctrl, C::SelEditorTop),
    Key(Qt::Key_End, None, C::LineEnd), Key(Qt::Key_End, Shift, C::SelLineEnd),
    Key(Qt::Key_End, Ctrl, C::EditorBottom), Key(Qt::Key_End, Shift | Ctrl, C::SelEditorBottom),
    Key(Qt::Key_Insert, None, C::ToggleMode),
    Key(Qt::Key_Insert, Ctrl, C::Copy), Key(Qt::Key_C, Ctrl, C::Copy),
    Key(Qt::Key_Delete, Shift, C::Cut), Key(Qt::Key_X, Ctrl, C::Cut),
    Key(Qt::Key_Insert, Shift, C::Paste), Key(Qt::Key_V, Ctrl, C::Paste),
    Key(Qt::Key_Delete, None, C::DeleteChar),
    Key(Qt::Key_Backspace, None, C::DeleteLastChar), Key(Qt::Key_Backspace, Shift, C::DeleteLastChar),
    Key(Qt::Key_Backspace, Ctrl, C::DeleteLastWord),
    Key(Qt::Key_Backspace, Alt, C::Undo), Key(Qt::Key_Z, Ctrl, C::Undo),
    Key(Qt::Key_Backspace, Shift | Alt, C::Redo), Key(Qt::Key_Z, Shift | Ctrl, C::Redo),
    Key(Qt::Key_Return, None, C::LineBreak), Key(Qt::Key_Enter, None, C::LineBreak),
    Key(Qt::Key_Return, Shift, C::LineBreak), Key(Qt::Key_Enter, Shift, C::LineBreak),
    Key(Qt::Key_M, Ctrl, C::LineBreak),
    Key(Qt::Key_Tab, None, C::Tab),
    // Qt reports Shift+Tab as Backtab, with or without the Shift modifier.
    Key(Qt::Key_Tab, Shift, C::ShiftTab), Key(Qt::Key_Backtab, Shift, C::ShiftTab),
    Key(Qt::Key_Backtab, None, C::ShiftTab),
    Key(Qt::Key_F1, Ctrl, C::ContextHelp), Key(Qt::Key_A, Ctrl, C::SelectAll),
    Key(Qt::Key_I, Shift | Ctrl, C::BlockIndent), Key(Qt::Key_U, Shift | Ctrl, C::BlockUnindent),
    Key(Qt::Key_N, Ctrl, C::InsertLine), Key(Qt::Key_T, Ctrl, C::DeleteWord),
    Key(Qt::Key_Y, Ctrl, C::DeleteLine), Key(Qt::Key_Y, Shift | Ctrl, C::DeleteEOL),
    {Qt::Key_0, Qt::Key_9, Ctrl, C::GotoMarker0},
    {Qt::Key_0, Qt::Key_9, Shift | Ctrl, C::SetMarker0},
    Key(Qt::Key_N, Shift | Ctrl, C::NormalSelect), Key(Qt::Key_C, Shift | Ctrl, C::ColumnSelect),
    Key(Qt::Key_L, Shift | Ctrl, C::LineSelect), Key(Qt::Key_B, Shift | Ctrl, C::MatchBracket),
    Key(Qt::Key_U, Ctrl | Alt, C::UpperCase), Key(Qt::Key_L, Ctrl | Alt, C::LowerCase),
    Key(Qt::Key_T, Ctrl | Alt, C::ToggleCase),
};
// clang-format on

// The xkb keycodes of the digit row, 1 to 9 and then 0.
constexpr quint32 FirstDigitRowKeycode = 10;
constexpr quint32 LastDigitRowKeycode = 19;
// X keysyms of the digits and of the keypad digits.
constexpr quint32 XkDigit0 = 0x30;
constexpr quint32 XkKeypad0 = 0xFFB0;

// Events made without native keys (by another program or a test) are read as a US keyboard
// sends them: with Shift held it reports the digit keys by their symbols.
constexpr int UsShiftedDigits[] = {Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
                                   Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
                                   Qt::Key_Asterisk,   Qt::Key_ParenLeft};

} // namespace

NativeKey NativeKeyOf(const QKeyEvent &event, QStringView platformName)
{
    const bool xkb = platformName == u"xcb" || platformName.startsWith(u"wayland");
    return {xkb ? event.nativeScanCode() : 0, event.nativeVirtualKey()};
}

int BookmarkDigit(int key, Qt::KeyboardModifiers modifiers, NativeKey native)
{
    const unsigned mods = modifiers.toInt() & Bound;
    if (mods != Ctrl && mods != (Ctrl | Shift))
        return -1;
    // Where the key is decides first, so that setting and going to a mark take the same key on
    // layouts whose digit row types other characters, with or without Shift.
    if (native.keycode >= FirstDigitRowKeycode && native.keycode <= LastDigitRowKeycode)
        return int((native.keycode - FirstDigitRowKeycode + 1) % 10);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    for (const quint32 first : {XkDigit0, XkKeypad0})
        if (native.virtualKey >= first && native.virtualKey <= first + 9)
            return int(native.virtualKey - first);
    if (native.keycode == 0 && native.virtualKey == 0 && (mods & Shift)) {
        const auto *digit = std::find(std::begin(UsShiftedDigits), std::end(UsShiftedDigits), key);
        if (digit != std::end(UsShiftedDigits))
            return int(digit - std::begin(UsShiftedDigits));
    }
    return -1;
}

EditorCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers, NativeKey native)
{
    const unsigned mods = modifiers.toInt() & Bound;
    if (const int digit = BookmarkDigit(key, modifiers, native); digit >= 0)
        return static_cast<EditorCommand>(static_cast<int>(mods & Shift ? C::SetMarker0 : C::GotoMarker0) + digit);
    for (const KeyStroke &k : Keystrokes) {
        if (key >= k.firstKey && key <= k.lastKey && mods == k.modifiers)
            return static_cast<EditorCommand>(static_cast<int>(k.firstCommand) + key - k.firstKey);
    }
    return C::None;
}
