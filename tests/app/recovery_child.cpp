// A run of the editor that a test ends with SIGKILL. Opens the project given, types text into the
// file it shows (into a new PHP file first with "new"), writes the bytes a save would write to
// EXPECTED, and runs until it is killed.
// Usage: recovery_child SETTINGS_DIR PROJECT new|edit TEXT EXPECTED
#include "EditorModel.h"
#include "EditorWidget.h"
#include "FileStorage.h"
#include "MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QtTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        return 2;
    MainWindow window(ProgramFiles(args[1] + u'/', QStringLiteral(VELMORA_SOURCE_DATA_DIR)), {args[2]});
    window.show();
    ProjectController &projects = window.projects();
    if (args[3] == u"new")
        projects.NewFile(NewFileKind::Php);
    EditorWidget *editor = window.frame().mFile;
    editor->model()->SetCaretXY({1, 2});
    // Key by key, with the characters' text, as a keyboard that has them types them.
    for (const QChar c : args[4])
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    projects.StoreEditorState();
    TextEncoding encoding;
    QFile expected(args[5]);
    if (!expected.open(QIODevice::WriteOnly) || !expected.write(encodeFileContent(*projects.activeEntry(), &encoding))
        || !expected.flush())
        return 3;
    expected.close();
    return app.exec();
}
