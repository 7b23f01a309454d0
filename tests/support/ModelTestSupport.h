#pragma once

#include "EditorModel.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

Q_DECLARE_METATYPE(EditorCommand)
Q_DECLARE_METATYPE(BufferCoord)
Q_DECLARE_METATYPE(SelectionMode)
using Commands = QList<EditorCommand>;

// Documents in the tests are written as their lines joined by '\n' with '|' where the caret is.
// A caret beyond the end of its line is drawn after one '·' per virtual column:
// "ab··|" is the line "ab" with the caret in column 5.
inline void LoadMarked(EditorModel &model, const QString &marked)
{
    QStringList lines = marked.split(u'\n');
    BufferCoord caret;
    for (int i = 0; i < lines.size(); ++i) {
        const qsizetype bar = lines[i].indexOf(u'|');
        if (bar < 0)
            continue;
        QString &line = lines[i];
        line.remove(bar, 1);
        qsizetype text = bar;
        while (text > 0 && line[text - 1] == u'\u00B7')
            --text;
        line.remove(text, bar - text);
        caret = {int(bar) + 1, i + 1};
    }
    model.SetText(lines.join(u"\r\n") + QStringLiteral("\r\n"));
    model.SetCaretXY(caret);
}

inline QString Marked(const EditorModel &model)
{
    QStringList lines;
    for (int line = 1; line <= model.LineCount(); ++line)
        lines << model.Line(line);
    const BufferCoord caret = model.CaretXY();
    while (lines.size() < caret.Line)
        lines << QString();
    QString &line = lines[caret.Line - 1];
    const int virtualColumns = caret.Char - 1 - int(line.size());
    if (virtualColumns > 0)
        line += QString(virtualColumns, u'\u00B7') + u'|';
    else
        line.insert(caret.Char - 1, u'|');
    return lines.join(u'\n');
}

// Every line of the model with its range state, to compare with a model scanned from scratch.
inline QList<std::pair<QString, SynRangeState>> LinesWithRanges(const EditorModel &model)
{
    QList<std::pair<QString, SynRangeState>> result;
    for (int line = 1; line <= model.LineCount(); ++line)
        result.append({model.Line(line), model.LineRange(line)});
    return result;
}

// Runs the commands; each Char command types the next character of typed, and whatever is left
// of typed is typed at the end.
inline void Run(EditorModel &model, const Commands &commands, const QString &typed)
{
    qsizetype next = 0;
    for (EditorCommand command : commands) {
        if (command == EditorCommand::Char)
            model.ExecuteCommand(command, typed[next++]);
        else
            model.ExecuteCommand(command);
    }
    model.TypeText(typed.mid(next));
}
