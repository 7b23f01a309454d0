#pragma once

#include <QString>
#include <qnamespace.h>

// What the main window does with a key pressed in the editor before the editor sees it.
// clang-format off
enum class EditorKeyCommand {
    None,          // the editor handles the key
    Save,          // Ctrl+S: saves while Save File is enabled
    RepeatSearch,  // F3: repeats the last search, or opens Search
    PickVariable,  // "$" in a PHP file: the variable picker instead of the character
};
// clang-format on

struct EditorKey {
    int key; // a Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text; // what the key types
};

// phpVars: the setting; fileType: the active file's type, compared exactly.
EditorKeyCommand editorKeyCommand(const EditorKey &key, bool phpVars, const QString &fileType);
