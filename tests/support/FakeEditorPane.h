#pragma once

#include "EditorPane.h"
#include "ProjectFile.h"

// The editor as the flows see it: the text of the file it shows.
class FakeEditor : public EditorPane
{
public:
    QString text;
    bool shown = false;

    void showFile(ProjectFile &file) override
    {
        text = file.Text;
        shown = true;
    }
    void storeState(ProjectFile &file) const override { file.Text = text; }
    void releaseFile(ProjectFile &) override { }
    void hide() override { shown = false; }
    bool isShown() const override { return shown; }
    EditorSnapshot snapshot() const override
    {
        EditorSnapshot lines;
        for (const QString &line : text.split(QStringLiteral("\r\n")))
            lines.lines.push_back(line);
        if (text.endsWith(QStringLiteral("\r\n")))
            lines.lines.pop_back();
        return lines;
    }
    void replaceText(const QString &replaced) override { text = replaced; }
};
