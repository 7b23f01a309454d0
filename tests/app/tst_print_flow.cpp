#include "PlacementStore.h"
#include "PrintFlow.h"
#include "ScriptedPrompts.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(PrintAnswer)

// File, Print without its windows: the dialog's remembered values, the margins as numbers, and
// the questions around it.
class TestPrintFlow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void margins_data();
    void margins();
    void dialogOpensWithRememberedValues();
    void valuesAreStoredHoweverTheDialogCloses_data();
    void valuesAreStoredHoweverTheDialogCloses();
    void okGivesTheJob();
    void selectionIsPrintedOnlyWhenTicked_data();
    void selectionIsPrintedOnlyWhenTicked();
    void pdfAsksForItsFile();
    void previewAsksForNoFile();

private:
    std::optional<PrintJob> print(PrintAnswer answer, const std::function<void(PrintFields &)> &edits = {},
                                  bool selection = false);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PlacementStore> m_store;
    ScriptedPrompts m_prompts;
};

const QString File = QStringLiteral("/web/shop/index.php");

void TestPrintFlow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<PlacementStore>(m_dir->filePath(QStringLiteral("placement.ini")));
    m_prompts = ScriptedPrompts();
}

std::optional<PrintJob> TestPrintFlow::print(PrintAnswer answer, const std::function<void(PrintFields &)> &edits,
                                             bool selection)
{
    m_prompts.printAnswer = answer;
    m_prompts.printEdits = edits;
    return PrintFlow(m_prompts, *m_store).Print1Click(File, selection);
}

void TestPrintFlow::margins_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("millimetres");
    QTest::newRow("digits") << QStringLiteral("25") << 25;
    QTest::newRow("leading zero") << QStringLiteral("007") << 7;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("blank") << QStringLiteral(" 5") << 0;
    QTest::newRow("sign") << QStringLiteral("-5") << 0;
    QTest::newRow("decimal point") << QStringLiteral("2.5") << 0;
    QTest::newRow("letters") << QStringLiteral("ten") << 0;
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("\u0665") << 0;
    QTest::newRow("beyond any page") << QStringLiteral("99999999999999") << 100000;
}

void TestPrintFlow::margins()
{
    QFETCH(QString, text);
    QFETCH(int, millimetres);
    QCOMPARE(marginMillimetres(text), millimetres);
}

void TestPrintFlow::dialogOpensWithRememberedValues()
{
    QVERIFY(!print(PrintAnswer::Cancel));
    QCOMPARE(m_prompts.printShown.size(), 1);
    PrintFields first = m_prompts.printShown.first();
    QCOMPARE(first.document, QStringLiteral("index.php"));
    QCOMPARE(first.top, QStringLiteral("10"));
    QCOMPARE(first.header, QStringLiteral("5"));
    QVERIFY(!first.wrap && !first.numbers && !first.color);

    m_store->writeProperty(QStringLiteral("TForm_PrintFile"), QStringLiteral("eMLeft.Text"), QStringLiteral("33"));
    m_store->writeProperty(QStringLiteral("TForm_PrintFile"), QStringLiteral("cbxNumbers.Checked"), true);
    print(PrintAnswer::Cancel);
    QCOMPARE(m_prompts.printShown.last().left, QStringLiteral("33"));
    QVERIFY(m_prompts.printShown.last().numbers);
}

void TestPrintFlow::valuesAreStoredHoweverTheDialogCloses_data()
{
    QTest::addColumn<PrintAnswer>("answer");
    QTest::newRow("Cancel") << PrintAnswer::Cancel;
    QTest::newRow("Print") << PrintAnswer::Print;
    QTest::newRow("Print Preview") << PrintAnswer::Preview;
}

void TestPrintFlow::valuesAreStoredHoweverTheDialogCloses()
{
    QFETCH(PrintAnswer, answer);
    m_prompts.paths = {m_dir->filePath(QStringLiteral("out.pdf"))};
    print(answer, [](PrintFields &fields) {
        fields.top = QStringLiteral("1");
        fields.bottom = QStringLiteral("2");
        fields.left = QStringLiteral("3");
        fields.right = QStringLiteral("abc");
        fields.header = QStringLiteral("9");
        fields.wrap = fields.numbers = fields.color = true;
    });
    const QString section = QStringLiteral("TForm_PrintFile");
    const auto text = [&](const char *name) {
        return m_store->readProperty(section, QLatin1String(name), QString()).toString();
    };
    QCOMPARE(QStringList({text("eMTop.Text"), text("eMBottom.Text"), text("eMLeft.Text"), text("eMRight.Text"),
                          text("eMHeader.Text")}),
             QStringList({"1", "2", "3", "abc", "9"}));
    for (const char *name : {"cbxColor.Checked", "cbxNumbers.Checked", "cbxWrap.Checked"})
        QVERIFY2(m_store->readProperty(section, QLatin1String(name), false).toBool(), name);
    // Survives the store being read anew.
    QVERIFY(m_store->flush());
    PlacementStore again(m_dir->filePath(QStringLiteral("placement.ini")));
    QCOMPARE(again.readProperty(section, QStringLiteral("eMRight.Text"), QString()).toString(), QStringLiteral("abc"));
}

void TestPrintFlow::okGivesTheJob()
{
    const auto job = print(PrintAnswer::Print, [](PrintFields &fields) {
        fields.page = {QStringLiteral("Office"), QSizeF(148, 210), true, 2};
        fields.top = QStringLiteral("15");
        fields.left = QStringLiteral("2.5");
        fields.numbers = true;
    });
    QVERIFY(job);
    QVERIFY(!job->preview);
    QCOMPARE(job->page, (PrintPage{QStringLiteral("Office"), QSizeF(148, 210), true, 2}));
    QCOMPARE(job->top, 15);
    QCOMPARE(job->left, 0);
    QCOMPARE(job->bottom, 10);
    QVERIFY(job->numbers && !job->wrap);
    QCOMPARE(job->title, File);
    QCOMPARE(job->docTitle, QStringLiteral("Velmora PHP Editor: ") + File);
    QVERIFY(m_prompts.saveTitles.isEmpty());
}

void TestPrintFlow::selectionIsPrintedOnlyWhenTicked_data()
{
    QTest::addColumn<bool>("selection");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("selectedOnly");
    QTest::newRow("selection, left ticked") << true << true << true;
    QTest::newRow("selection, unticked") << true << false << false;
    QTest::newRow("no selection") << false << true << false;
}

void TestPrintFlow::selectionIsPrintedOnlyWhenTicked()
{
    QFETCH(bool, selection);
    QFETCH(bool, ticked);
    QFETCH(bool, selectedOnly);
    const auto job = print(
        PrintAnswer::Preview, [ticked](PrintFields &fields) { fields.selection = fields.selection && ticked; },
        selection);
    QCOMPARE(m_prompts.printShown.first().selectionEnabled, selection);
    QCOMPARE(m_prompts.printShown.first().selection, selection);
    QVERIFY(job);
    QCOMPARE(job->selectedOnly, selectedOnly);
}

void TestPrintFlow::pdfAsksForItsFile()
{
    m_prompts.paths = {QString()};
    QVERIFY(!print(PrintAnswer::Print));
    QCOMPARE(m_prompts.saveTitles, QStringList{QStringLiteral("Print to PDF")});

    m_prompts.paths = {QStringLiteral("/tmp/index.pdf")};
    const auto job = print(PrintAnswer::Print);
    QVERIFY(job);
    QCOMPARE(job->pdfFile, QStringLiteral("/tmp/index.pdf"));
}

void TestPrintFlow::previewAsksForNoFile()
{
    const auto job = print(PrintAnswer::Preview);
    QVERIFY(job && job->preview);
    QVERIFY(job->pdfFile.isEmpty());
    QVERIFY(m_prompts.saveTitles.isEmpty());
}

QTEST_GUILESS_MAIN(TestPrintFlow)
#include "tst_print_flow.moc"
