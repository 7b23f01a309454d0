#include "MainHighlighters.h"
#include "OptionsFlow.h"
#include "ProgramFiles.h"
#include "ScriptedPrompts.h"
#include "SysOptions.h"
#include "SyntaxColourItems.h"

#include <QTemporaryDir>
#include <QtTest>


// Tools, Options without its window: what OK and Cancel do to the settings, the word lists and
// the colours.
class TestOptionsFlow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void dialogOpensWithTheSettings();
    void sizeBoxes_data();
    void sizeBoxes();
    void okTakesEveryControl();
    void editedTablesAreWritten();
    void untouchedTablesAreNotWritten();
    void cancelPutsTheColoursBack();
    void unwritableWordListIsReported();

private:
    QByteArray fileBytes(const QString &name) const;
    bool runDialog(const std::function<void(OptionsFields &, SyntaxColourItems &)> &edits, bool ok = true);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFiles> m_files;
    std::unique_ptr<MainHighlighters> m_highlighters;
    ScriptedPrompts m_prompts;
    SysOptions m_options;
};

void TestOptionsFlow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_files = std::make_unique<ProgramFiles>(m_dir->path() + '/', m_dir->path() + QStringLiteral("/shipped/"));
    m_highlighters = std::make_unique<MainHighlighters>();
    m_prompts = ScriptedPrompts();
    m_options = SysOptions();
}

QByteArray TestOptionsFlow::fileBytes(const QString &name) const
{
    QFile file(m_dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool TestOptionsFlow::runDialog(const std::function<void(OptionsFields &, SyntaxColourItems &)> &edits, bool ok)
{
    m_prompts.optionsEdits = edits;
    m_prompts.optionsOk = ok;
    OptionsFlow flow(m_prompts, *m_highlighters, *m_files);
    return flow.Options1Click(&m_options, {"echo", "else"}, {"strlen"});
}

void TestOptionsFlow::dialogOpensWithTheSettings()
{
    m_options.FontSize = 12;
    m_options.TabWidth = 4;
    m_options.RightEdge = 120;
    m_options.ExternalViewer = true;
    QVERIFY(!runDialog({}, false));
    QCOMPARE(m_prompts.optionsShown.size(), 1);
    const OptionsFields &shown = m_prompts.optionsShown.front();
    QCOMPARE(shown.options, m_options);
    QCOMPARE(shown.fontSize, QStringLiteral("12"));
    QCOMPARE(shown.tabWidth, QStringLiteral("4"));
    QCOMPARE(shown.rightEdge, QStringLiteral("120"));
    QCOMPARE(shown.keywords, (QStringList{"echo", "else"}));
    QCOMPARE(shown.functions, QStringList{"strlen"});
    QVERIFY(!shown.tablesEdited);
}

void TestOptionsFlow::sizeBoxes_data()
{
    QTest::addColumn<QString>("fontSize");
    QTest::addColumn<QString>("tabWidth");
    QTest::addColumn<QString>("rightEdge");
    QTest::addColumn<QList<int>>("expected");
    QTest::addRow("numbers") << "12" << "4" << "100" << QList<int>{12, 4, 100};
    QTest::addRow("no numbers: the fall-backs") << "abc" << "" << "1x" << QList<int>{10, 3, 250};
    QTest::addRow("blanks around") << " 9 " << " 2" << "80 " << QList<int>{9, 2, 80};
    QTest::addRow("out of range: clamped") << "0" << "1000" << "-5" << QList<int>{MinFontSize, MaxTabWidth, 0};
}

void TestOptionsFlow::sizeBoxes()
{
    QFETCH(QString, fontSize);
    QFETCH(QString, tabWidth);
    QFETCH(QString, rightEdge);
    QFETCH(QList<int>, expected);
    OptionsFields fields;
    fields.fontSize = fontSize;
    fields.tabWidth = tabWidth;
    fields.rightEdge = rightEdge;
    SysOptions expectedOptions;
    expectedOptions.FontSize = expected[0];
    expectedOptions.TabWidth = expected[1];
    expectedOptions.RightEdge = expected[2];
    clampSizes(expectedOptions);
    const SysOptions options = optionsFromFields(fields);
    QCOMPARE(options.FontSize, expectedOptions.FontSize);
    QCOMPARE(options.TabWidth, expectedOptions.TabWidth);
    QCOMPARE(options.RightEdge, expectedOptions.RightEdge);
}

void TestOptionsFlow::okTakesEveryControl()
{
    SysOptions chosen;
    chosen.FontName = QStringLiteral("DejaVu Sans Mono");
    chosen.Gutter = false;
    chosen.BackGroundColor = 0x00FFFF;
    chosen.ExternalViewer = true;
    chosen.ViewerName = QStringLiteral("/usr/bin/firefox");
    chosen.PHPCustomHighlighting = true;
    chosen.BuiltInServer = true;
    chosen.FontSize = 14;
    QVERIFY(runDialog([&](OptionsFields &fields, SyntaxColourItems &) {
        fields.options = chosen;
        fields.fontSize = QStringLiteral("14");
        fields.tabWidth = QStringLiteral("3");
        fields.rightEdge = QStringLiteral("250");
    }));
    QCOMPARE(m_options, chosen);
    // The colours are saved, the lists are not.
    QVERIFY(fileBytes("velmora.cop").contains("[Comment]"));
    QVERIFY(fileBytes("velmora.coh").contains("[Comment]"));
    QCOMPARE(fileBytes("phpkw.dat"), QByteArray("(missing)"));
    QVERIFY(m_prompts.messages.isEmpty());
}

void TestOptionsFlow::editedTablesAreWritten()
{
    QVERIFY(runDialog([](OptionsFields &fields, SyntaxColourItems &) {
        fields.keywords = {"match", "", "\u00E9cho"};
        fields.functions = {};
        fields.tablesEdited = true;
    }));
    QCOMPARE(fileBytes("phpkw.dat"), QByteArray("Keywords\r\nmatch\r\n\r\n\xC3\xA9" "cho\r\n"));
    QCOMPARE(fileBytes("phpfu.dat"), QByteArray("Functions\r\n"));
}

void TestOptionsFlow::untouchedTablesAreNotWritten()
{
    QFile old(m_dir->filePath("phpkw.dat"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("mine\n");
    old.close();
    QVERIFY(runDialog([](OptionsFields &fields, SyntaxColourItems &) { fields.keywords.append("ignored"); }));
    QCOMPARE(fileBytes("phpkw.dat"), QByteArray("mine\n"));
}

void TestOptionsFlow::cancelPutsTheColoursBack()
{
    SynHighlighterAttributes &comment = *m_highlighters->xhHTML.CommentAttri();
    const SynColor foreground = comment.Foreground();
    const std::uint8_t style = comment.Style();
    SynColor during = 0;
    QVERIFY(!runDialog(
        [&](OptionsFields &, SyntaxColourItems &colours) {
            colours.setForeground(0, 0x0000FF);
            colours.setStyleBit(0, fsBold, true);
            during = comment.Foreground();
        },
        false));
    QCOMPARE(during, SynColor(0x0000FF)); // the editors showed it while the dialog was open
    QCOMPARE(comment.Foreground(), foreground);
    QCOMPARE(comment.Style(), style);
    QCOMPARE(m_options, SysOptions());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void TestOptionsFlow::unwritableWordListIsReported()
{
    // A folder where the keyword list should go: nothing can replace it, not even for root.
    QVERIFY(QDir(m_dir->path()).mkdir("phpkw.dat"));
    QVERIFY(runDialog([](OptionsFields &fields, SyntaxColourItems &) {
        fields.options.Gutter = false;
        fields.keywords = {"match"};
        fields.tablesEdited = true;
    }));
    QVERIFY(!m_options.Gutter); // the other changes are kept
    QCOMPARE(m_prompts.messages.size(), 1);
    const QString &message = m_prompts.messages.front().text;
    QVERIFY2(message.startsWith("Unable to write " + m_dir->filePath("phpkw.dat")), qPrintable(message));
    QVERIFY(QFileInfo(m_dir->filePath("phpkw.dat")).isDir());
    // The function list and the colours are still written.
    QCOMPARE(fileBytes("phpfu.dat"), QByteArray("Functions\r\nstrlen\r\n"));
    QVERIFY(fileBytes("velmora.cop").contains("[Comment]"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 3);
}

QTEST_GUILESS_MAIN(TestOptionsFlow)
#include "tst_options_flow.moc"
