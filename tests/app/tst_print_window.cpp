#include "CommandActions.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "MainWindow.h"
#include "PdfPages.h"
#include "ScriptedPrompts.h"
#include "ScriptedWindow.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

// File, Print in the window: the editor's text (or its selection) goes to the printer the
// dialog chose; Print to PDF writes the file asked for.
class TestPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commandsHaveTheirPlaces();
    void noActiveFileAsksNothing();
    void printsTheEditorsTextToPdf();
    void printsTheSelectionWhenTicked();
    void unwritablePdfIsReported();

private:
    void openFile(const QString &text);
    QString printToPdf(bool selection = false);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestPrintWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = showScriptedWindow(m_dir->path(), &m_prompts);
    QVERIFY(m_window);
}

void TestPrintWindow::cleanup()
{
    m_window.reset();
}

void TestPrintWindow::openFile(const QString &text)
{
    m_window->projects().NewProject1Click();
    m_window->projects().NewFile(NewFileKind::Php);
    m_window->editorModel()->SetText(text);
}

QString TestPrintWindow::printToPdf(bool selection)
{
    const QString pdf = m_dir->filePath(QStringLiteral("out.pdf"));
    m_prompts->paths = {pdf};
    m_prompts->printAnswer = PrintAnswer::Print;
    m_prompts->printEdits = [selection](PrintFields &fields) {
        fields.page.printer.clear();
        fields.numbers = true;
        fields.selection = selection;
    };
    m_window->run(Command::Print);
    return pdf;
}

void TestPrintWindow::commandsHaveTheirPlaces()
{
    const CommandActions &commands = m_window->commands();
    QCOMPARE(commands.action(Command::Print, Slot::Menu)->objectName(), QStringLiteral("Print1"));
    QCOMPARE(commands.action(Command::Print, Slot::Popup)->objectName(), QStringLiteral("Print2"));
    QCOMPARE(commands.action(Command::Print, Slot::Button)->objectName(), QStringLiteral("btnPrint"));
    QCOMPARE(commands.action(Command::About, Slot::Menu)->objectName(), QStringLiteral("About1"));
    QVERIFY(commandRow(Command::Print).run);
    QVERIFY(commandRow(Command::About).run);
}

void TestPrintWindow::noActiveFileAsksNothing()
{
    m_window->run(Command::Print);
    QVERIFY(m_prompts->printShown.isEmpty());
}

void TestPrintWindow::printsTheEditorsTextToPdf()
{
    if (!PdfPages::toolsPresent())
        QSKIP("poppler-utils is not installed (scripts/deps test installs it)");
    openFile(QStringLiteral("<?php\necho 'one';\n\necho 'two';\n"));
    const QString pdf = printToPdf();
    QVERIFY(m_prompts->messages.isEmpty());
    QCOMPARE(m_prompts->printShown.size(), 1);
    QVERIFY(!m_prompts->printShown.first().document.isEmpty());
    QCOMPARE(PdfPages::rows(pdf),
             (QStringList{QStringLiteral("1: <?php"), QStringLiteral("2: echo 'one';"), QStringLiteral("3:"),
                          QStringLiteral("4: echo 'two';")}));
}

void TestPrintWindow::printsTheSelectionWhenTicked()
{
    if (!PdfPages::toolsPresent())
        QSKIP("poppler-utils is not installed (scripts/deps test installs it)");
    openFile(QStringLiteral("<?php\necho 'one';\necho 'two';\n"));
    m_window->editorModel()->SetSelection({6, 2}, {5, 3});
    QCOMPARE(PdfPages::rows(printToPdf(true)), (QStringList{QStringLiteral("2: 'one';"), QStringLiteral("3: echo")}));
}

void TestPrintWindow::unwritablePdfIsReported()
{
    openFile(QStringLiteral("<?php\n"));
    const QString pdf = m_dir->filePath(QStringLiteral("no/such/folder/out.pdf"));
    m_prompts->paths = {pdf};
    m_prompts->printAnswer = PrintAnswer::Print;
    m_prompts->printEdits = [](PrintFields &fields) { fields.page.printer.clear(); };
    m_window->run(Command::Print);
    QCOMPARE(m_prompts->texts(ScriptedPrompts::Box::Error), QStringList{QStringLiteral("Unable to write to ") + pdf});
}

QTEST_MAIN(TestPrintWindow)
#include "tst_print_window.moc"
