#include "EditorLines.h"

#include "EditorModel.h"

LineSource editorLines(const EditorModel &editor)
{
    const auto line = [](const void *model, qsizetype index) -> QStringView {
        return static_cast<const EditorModel *>(model)->Line(int(index) + 1);
    };
    return {&editor, line, editor.LineCount()};
}
