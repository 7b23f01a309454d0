#include "EditorKeys.h"

EditorKeyCommand editorKeyCommand(const EditorKey &key, bool phpVars, const QString &fileType)
{
    if (key.key == Qt::Key_S && key.modifiers == Qt::ControlModifier)
        return EditorKeyCommand::Save;
    if (key.key == Qt::Key_F3 && key.modifiers == Qt::NoModifier)
        return EditorKeyCommand::RepeatSearch;
    if (phpVars && key.text == u'$' && (fileType == u"PHP" || fileType == u"INC"))
        return EditorKeyCommand::PickVariable;
    return EditorKeyCommand::None;
}
