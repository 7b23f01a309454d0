#pragma once

#include "EditorTypes.h"

#include <QStringView>
#include <Qt>

class QKeyEvent;

// What the platform tells of a key beside Qt's key code.
struct NativeKey {
    // The xkb keycode of the physical key (X11, Wayland), 0 when unknown: layouts differ in what
    // the digit row types, never in where it is.
    quint32 keycode = 0;
    // The platform's own key code (an X keysym), 0 when unknown.
    quint32 virtualKey = 0;
};

// The native key of an event; keycodes only on the platforms that report xkb keycodes.
NativeKey NativeKeyOf(const QKeyEvent &event, QStringView platformName);

// The digit 0 to 9 of a bookmark key (Ctrl or Ctrl+Shift on the digit row or the keypad), -1 for
// any other key.
int BookmarkDigit(int key, Qt::KeyboardModifiers modifiers, NativeKey native = {});

// The Keystrokes table: the command a key with its modifiers runs, or None. Keys not in the
// table that produce a printable character run the character command (the caller decides that).
EditorCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers, NativeKey native = {});
