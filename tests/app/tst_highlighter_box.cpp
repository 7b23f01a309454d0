#include "EditorModel.h"
#include "EditorWidget.h"
#include "MainWindow.h"
#include "ScriptedPrompts.h"
#include "ScriptedWindow.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

// The highlighter box above the editor: which highlighter each item gives the editor, and which
// one the PHP blocks get.
class TestHighlighterBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void eachItemChoosesItsHighlighter_data();
    void eachItemChoosesItsHighlighter();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestHighlighterBox::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = showScriptedWindow(m_dir->path() + '/', &m_prompts);
    QVERIFY(m_window);
    m_window->projects().NewProject1Click();
    m_window->projects().NewFile(NewFileKind::Php);
}

void TestHighlighterBox::cleanup()
{
    m_window.reset();
}

void TestHighlighterBox::eachItemChoosesItsHighlighter_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QString>("editor"); // the editor's highlighter, by the token tool's name
    QTest::addColumn<QString>("php"); // the PHP blocks' highlighter
    QTest::addRow("<none>") << 0 << false << ""
                            << "php";
    QTest::addRow("PHP") << 1 << false << "multi"
                         << "php";
    QTest::addRow("PHP, custom highlighting") << 1 << true << "multi"
                                              << "general";
    QTest::addRow("HTML") << 2 << false << "multi"
                          << "php";
    QTest::addRow("JavaScript") << 3 << false << "js"
                                << "php";
    QTest::addRow("CSS") << 4 << false << "css"
                         << "php";
    QTest::addRow("SQL") << 5 << false << "sql"
                         << "php";
    QTest::addRow("<custom>") << 6 << false << "general"
                              << "php";
}

void TestHighlighterBox::eachItemChoosesItsHighlighter()
{
    QFETCH(int, item);
    QFETCH(bool, custom);
    QFETCH(QString, editor);
    QFETCH(QString, php);
    MainHighlighters &highlighters = m_window->highlighters();
    // Set as the user sets it, in the Options dialog.
    m_prompts->optionsEdits = [custom](OptionsFields &fields, SyntaxColourItems &) {
        fields.options.PHPCustomHighlighting = custom;
    };
    m_window->Options1Click();
    QComboBox *box = m_window->frame().cbHighlighter;
    box->setCurrentIndex(item);
    emit box->activated(item);
    const SynCustomHighlighter *chosen = m_window->frame().mFile->model()->Highlighter();
    QCOMPARE(chosen, editor.isEmpty() ? nullptr : highlighters.byName(editor));
    QCOMPARE(highlighters.xhMulti.Enabled(), editor == u"multi");
    if (item == 1)
        QCOMPARE(highlighters.xhMulti.Scheme(0).Highlighter(), highlighters.byName(php));
}

QTEST_MAIN(TestHighlighterBox)
#include "tst_highlighter_box.moc"
