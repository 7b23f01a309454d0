#pragma once

#include "EditorTypes.h"

#include <Qt>

// The Keystrokes table: the command a key with its modifiers runs, or None. Keys not in the
// table that produce a printable character run the character command (the caller decides that).
EditorCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers);
