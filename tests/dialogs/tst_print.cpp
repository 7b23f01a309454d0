#include "AboutDialog.h"
#include "PdfPages.h"
#include "PrintFileDialog.h"
#include "PrintRows.h"
#include "SynEditPrint.h"
#include "SynHighlighterPHP.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using Rows = QList<int>;

// The print engine on Qt's PDF output, read back with poppler's tools; the Print dialog and the
// About box.
class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void rowStarts_data();
    void rowStarts();
    void everyLineInOrder_data();
    void everyLineInOrder();
    void pageCount_data();
    void pageCount();
    void wrappedLineGoesOnOverThePageBreak();
    void textStartsInOneColumn();
    void colours_data();
    void colours();
    void printsTheSelectedPiecesOnly();
    void marginsWithoutRoomAreReported();
    void dialogFillsAndReadsItsControls();
    void dialogOffersPrintToPdf();
    void aboutShowsTitleAndVersion();

private:
    // Prints lines to a PDF on A4 in DejaVu Sans Mono 10 pt with margins of 10 mm unless the
    // caller changed the engine; answers the file.
    QString print(const QStringList &lines, const QList<TSynEditPrint::Span> &pieces = {});

    QTemporaryDir m_dir;
    std::unique_ptr<TSynEditPrint> m_engine;
    int m_printed = 0;
};

namespace {

// A PHP file with tabs, blank lines and a comment.
const QStringList Fixture = {
    QStringLiteral("<?php"),
    QStringLiteral("// Lists the orders of one customer."),
    QStringLiteral("function orders($customer)"),
    QStringLiteral("{"),
    QStringLiteral("\t$total = 0;"),
    QStringLiteral(""),
    QStringLiteral("\tforeach ($customer->orders as $order) {"),
    QStringLiteral("\t\techo \"Order \" . $order->id . \"\\n\";"),
    QStringLiteral("\t\t$total += $order->sum;"),
    QStringLiteral("\t}"),
    QStringLiteral("\treturn $total;"),
    QStringLiteral("}"),
    QStringLiteral("?>"),
};

QStringList numbered(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("line%1").arg(i));
    return lines;
}

// "word001 word002 ..." on one line.
QString longLine(int words)
{
    QStringList parts;
    for (int i = 1; i <= words; ++i)
        parts.append(QStringLiteral("word%1").arg(i, 3, 10, QLatin1Char('0')));
    return parts.join(u' ');
}

} // namespace

void TestPrint::initTestCase()
{
    if (!PdfPages::toolsPresent())
        QSKIP("poppler-utils is not installed (scripts/deps test installs it)");
    QVERIFY(m_dir.isValid());
}

void TestPrint::init()
{
    m_engine = std::make_unique<TSynEditPrint>();
    m_engine->Font = QFont(QStringLiteral("DejaVu Sans Mono"), 10);
    m_engine->Margins = {10, 10, 10, 10};
}

void TestPrint::rowStarts_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("maxColumns");
    QTest::addColumn<Rows>("starts");

    QTest::newRow("fits") << QStringLiteral("abc def") << 10 << Rows{0};
    QTest::newRow("empty line") << QString() << 10 << Rows{0};
    QTest::newRow("after the last blank in reach") << QStringLiteral("aaa bbb ccc ddd") << 8 << Rows{0, 8};
    QTest::newRow("break character stays on its row") << QStringLiteral("aa,bb-cc dd") << 6 << Rows{0, 6};
    QTest::newRow("blanks only") << QStringLiteral("          ") << 4 << Rows{0, 4, 8};
    QTest::newRow("letters are cut at the width") << QStringLiteral("abcdefghij") << 4 << Rows{0, 4, 8};
    QTest::newRow("second set when a row has no blank") << QStringLiteral("ab).cd).ef).gh") << 6 << Rows{0, 4, 8};
    QTest::newRow("plain cut when neither set serves") << QStringLiteral("ab cdefghijk") << 4 << Rows{0, 4, 8};
}

void TestPrint::rowStarts()
{
    QFETCH(QString, line);
    QFETCH(int, maxColumns);
    QFETCH(Rows, starts);
    QCOMPARE(printRowStarts(line, maxColumns), starts);
}

QString TestPrint::print(const QStringList &lines, const QList<TSynEditPrint::Span> &pieces)
{
    const QString path = m_dir.filePath(QStringLiteral("print%1.pdf").arg(++m_printed));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    m_engine->SetLines(lines, pieces);
    if (!m_engine->Print(printer))
        return QStringLiteral("<not printed: %1>").arg(m_engine->Error());
    return path;
}

void TestPrint::everyLineInOrder_data()
{
    QTest::addColumn<bool>("numbers");
    QTest::addColumn<bool>("colour");
    QTest::newRow("plain") << false << false;
    QTest::newRow("line numbers") << true << false;
    QTest::newRow("line numbers in colour") << true << true;
}

void TestPrint::everyLineInOrder()
{
    QFETCH(bool, numbers);
    QFETCH(bool, colour);
    SynPHPSyn php;
    php.ApplyMainFormSettings(); // the colours the main window gives it
    m_engine->LineNumbers = numbers;
    m_engine->Highlight = colour;
    m_engine->Highlighter = &php;
    const QStringList rows = PdfPages::rows(print(Fixture));

    QStringList expected;
    for (int i = 0; i < Fixture.size(); ++i) {
        const QString text = QString(Fixture[i]).replace(u'\t', u' ').simplified();
        if (numbers)
            expected.append((QString::number(i + 1) + QStringLiteral(": ") + text).trimmed());
        else if (!text.isEmpty())
            expected.append(text);
    }
    QCOMPARE(rows, expected);
}

void TestPrint::pageCount_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<double>("topAndBottom");
    QTest::addColumn<int>("pages");
    // DejaVu Sans Mono 10 pt takes 11.6 pt a line: 67 lines between margins of 10 mm on A4, 23
    // between margins of 100 mm.
    QTest::newRow("one page") << 60 << 10.0 << 1;
    QTest::newRow("three pages") << 150 << 10.0 << 3;
    QTest::newRow("wide margins") << 130 << 100.0 << 6;
    QTest::newRow("no lines: one empty page") << 0 << 10.0 << 1;
}

void TestPrint::pageCount()
{
    QFETCH(int, lines);
    QFETCH(double, topAndBottom);
    QFETCH(int, pages);
    m_engine->Margins = {10, 10, topAndBottom, topAndBottom};
    const QString pdf = print(numbered(lines));
    QCOMPARE(PdfPages::pageCount(pdf), pages);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QCOMPARE(m_engine->PageCount(printer), pages);
    if (lines > 0) {
        const QStringList rows = PdfPages::rows(pdf);
        QCOMPARE(rows.first(), QStringLiteral("line1"));
        QCOMPARE(rows.last(), QStringLiteral("line%1").arg(lines));
    }
}

void TestPrint::wrappedLineGoesOnOverThePageBreak()
{
    m_engine->Wrap = true;
    m_engine->LineNumbers = true;
    // The long line starts near the foot of the first page and needs some 25 rows.
    QStringList lines = numbered(60);
    lines.append(longLine(300));
    lines.append(QStringLiteral("after"));
    const QString pdf = print(lines);

    const QList<PdfPages::Word> words = PdfPages::words(pdf);
    QVERIFY(!words.isEmpty());
    const double bottomMargin = 10 * 72 / 25.4;
    QStringList longWords;
    for (const PdfPages::Word &word : words) {
        QVERIFY2(word.yMax <= word.pageHeight - bottomMargin + 0.5,
                 qPrintable(QStringLiteral("%1 on page %2 ends at %3").arg(word.text).arg(word.page).arg(word.yMax)));
        if (word.text.startsWith(u"word"))
            longWords.append(word.text);
    }
    QCOMPARE(longWords.join(u' '), longLine(300));
    QCOMPARE(words.last().text, QStringLiteral("after"));
    QCOMPARE(words.last().page, 2);
}

void TestPrint::textStartsInOneColumn()
{
    m_engine->LineNumbers = true;
    // A hundred lines make room for "100: "; a tab reaches column 9 as eight blanks do.
    QStringList lines = numbered(100);
    lines[97] = QStringLiteral("a\tb");
    lines[98] = QStringLiteral("        c");
    QHash<QString, double> left;
    for (const PdfPages::Word &word : PdfPages::words(print(lines)))
        left.insert(word.text, word.xMin);
    QVERIFY(left.contains(QStringLiteral("100:")));
    QCOMPARE(left.value(QStringLiteral("line1")), left.value(QStringLiteral("line100")));
    QCOMPARE(left.value(QStringLiteral("a")), left.value(QStringLiteral("line1")));
    QVERIFY(left.value(QStringLiteral("100:")) < left.value(QStringLiteral("line100")));
    QVERIFY(left.value(QStringLiteral("100:")) >= 10 * 72 / 25.4 - 0.5);
    QVERIFY(left.value(QStringLiteral("b")) > left.value(QStringLiteral("a")));
    QCOMPARE(left.value(QStringLiteral("b")), left.value(QStringLiteral("c")));
}

void TestPrint::colours_data()
{
    QTest::addColumn<bool>("colour");
    QTest::newRow("use colour") << true;
    QTest::newRow("plain") << false;
}

void TestPrint::colours()
{
    QFETCH(bool, colour);
    SynPHPSyn php;
    php.ApplyMainFormSettings(); // the colours the main window gives it
    m_engine->Font = QFont(QStringLiteral("DejaVu Sans Mono"), 16);
    m_engine->Highlight = colour;
    m_engine->Highlighter = &php;
    const QImage page = PdfPages::firstPage(print(Fixture));
    QVERIFY(!page.isNull());
    // Comments, strings, keywords and variables in their own colours beside the black symbols.
    QVERIFY(PdfPages::hasBlack(page));
    QCOMPARE(PdfPages::hues(page).isEmpty(), !colour);
}

void TestPrint::printsTheSelectedPiecesOnly()
{
    m_engine->LineNumbers = true;
    // From "$total" on line 5 to "as" on line 7, as a stream selection gives it.
    const QList<TSynEditPrint::Span> pieces = {{4, 1, INT_MAX}, {5, 0, 0}, {6, 0, 30}};
    const QStringList rows = PdfPages::rows(print(Fixture, pieces));
    QCOMPARE(rows,
             (QStringList{QStringLiteral("5: $total = 0;"), QStringLiteral("6:"),
                          QStringLiteral("7: foreach ($customer->orders as")}));
}

void TestPrint::marginsWithoutRoomAreReported()
{
    m_engine->Margins = {150, 100, 10, 10};
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    m_engine->SetLines(Fixture);
    QCOMPARE(m_engine->PageCount(printer), 0);
    QVERIFY(!m_engine->Print(printer));
    QCOMPARE(m_engine->Error(), QStringLiteral("The margins leave no room for the text on the page."));
}

void TestPrint::dialogFillsAndReadsItsControls()
{
    PrintFields fields;
    fields.document = QStringLiteral("index.php");
    fields.selectionEnabled = false;
    fields.wrap = true;
    fields.color = true;
    fields.top = QStringLiteral("12");
    fields.left = QStringLiteral("x");
    fields.header = QStringLiteral("7");
    PrintFileDialog dialog(fields);
    QCOMPARE(dialog.objectName(), QStringLiteral("TForm_PrintFile"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Print: index.php"));
    QVERIFY(!dialog.findChild<QCheckBox *>(QStringLiteral("cbxSelection"))->isEnabled());
    QVERIFY(dialog.findChild<QLineEdit *>(QStringLiteral("eMHeader"))->isHidden());
    QVERIFY(dialog.findChild<QLineEdit *>(QStringLiteral("Edit2"))->isHidden());
    for (const char *name : {"Button1", "Button2", "Button3", "btnPreview"})
        QVERIFY2(dialog.findChild<QPushButton *>(QLatin1String(name)), name);

    dialog.findChild<QCheckBox *>(QStringLiteral("cbxNumbers"))->setChecked(true);
    dialog.findChild<QLineEdit *>(QStringLiteral("eMRight"))->setText(QStringLiteral("30"));
    PrintFields expected = fields;
    expected.numbers = true;
    expected.right = QStringLiteral("30");
    expected.page.printer = dialog.findChild<QComboBox *>(QStringLiteral("cbPrinters"))->currentData().toString();
    QCOMPARE(dialog.fields(), expected);

    dialog.findChild<QPushButton *>(QStringLiteral("btnPreview"))->click();
    QCOMPARE(dialog.answer(), PrintAnswer::Preview);
}

void TestPrint::dialogOffersPrintToPdf()
{
    PrintFileDialog dialog(PrintFields{});
    auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("cbPrinters"));
    QVERIFY(!printers->isEditable());
    const int pdf = printers->count() - 1;
    QCOMPARE(printers->itemText(pdf), QStringLiteral("Print to PDF"));
    QCOMPARE(printers->itemData(pdf).toString(), QString());
    // With no printer installed it is the one chosen.
    if (QPrinterInfo::availablePrinters().isEmpty())
        QCOMPARE(printers->currentIndex(), pdf);
}

void TestPrint::aboutShowsTitleAndVersion()
{
    AboutDialog about(QStringLiteral("Velmora PHP Editor"), QStringLiteral("1.2.3"));
    QCOMPARE(about.objectName(), QStringLiteral("TForm_about"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About Velmora PHP Editor"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Velmora PHP Editor"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.2.3"));
    QCOMPARE(about.findChild<QLabel *>(QStringLiteral("lblInfo"))->text().count(u'\n'), 1);
    QVERIFY(!about.findChild<QLabel *>(QStringLiteral("Label1"))->text().isEmpty());
    QVERIFY(about.findChild<QFrame *>(QStringLiteral("Panel2")));
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
