#include "PropertiesDialog.h"
#include "SaveFilesDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

using Outcomes = QMap<int, SaveOutcome>;

namespace {

// Two files and the project, as the main window lists them: the project first.
QList<SaveFileRow> threeRows()
{
    return {SaveFileRow::forProject(QStringLiteral("Shop"), QStringLiteral("/web/shop/shop.vlmp")),
            SaveFileRow::forFile(QStringLiteral("/web/shop/index.php"), 0),
            SaveFileRow::forFile(QStringLiteral("/web/shop/css/site.css"), 3)};
}

// Answers from a table (Saved for ids it does not hold) and records the ids it was asked for.
struct Saver {
    Outcomes answers;
    QList<int> asked;

    SaveRowFunction function()
    {
        return [this](int id) {
            asked.append(id);
            return answers.value(id, SaveOutcome::Saved);
        };
    }
};

template <typename T>
T *child(const QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QTableWidget *grid(const SaveFilesDialog &dialog)
{
    return dialog.findChild<QTableWidget *>();
}

QStringList rowTexts(const SaveFilesDialog &dialog)
{
    QStringList texts;
    for (int row = 0; row < grid(dialog)->rowCount(); ++row)
        texts.append(grid(dialog)->item(row, 0)->text());
    return texts;
}

QList<bool> marks(const SaveFilesDialog &dialog)
{
    QList<bool> result;
    for (int row = 0; row < grid(dialog)->rowCount(); ++row)
        result.append(grid(dialog)->item(row, 1)->checkState() == Qt::Checked);
    return result;
}

QPoint checkIndicatorCentre(QTableWidget *table, int row)
{
    QStyleOptionViewItem option;
    option.initFrom(table->viewport());
    option.rect = table->visualItemRect(table->item(row, 1));
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    return table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table).center();
}

PropertiesFields sampleFields(bool asIs)
{
    return {QStringLiteral("Shop"),
            QStringLiteral("/web/shop/"),
            {QStringLiteral("one two"), QStringLiteral("three")},
            QStringLiteral("localhost:8080/shop"),
            asIs};
}

// Types text into the memo with Return for each line break, as a user would.
void typeInto(QPlainTextEdit *memo, const QString &text)
{
    const QStringList parts = text.split(u'\n');
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, parts[i]);
    }
}

bool centredOnScreen(QDialog *dialog)
{
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
        return false;
    const QPoint screenCentre = dialog->screen()->availableGeometry().center();
    return (dialog->frameGeometry().center() - screenCentre).manhattanLength() <= 2;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void rowTextsNameWhatTheyKeep_data();
    void rowTextsNameWhatTheyKeep();
    void saveFilesOpensWithEveryRowMarked();
    void okSavesFromTheLastRowToTheFirst_data();
    void okSavesFromTheLastRowToTheFirst();
    void noneThenOkSavesNothingAndGoesOn();
    void allMarksEveryRowAgain();
    void clickInARowTogglesItsMarkOnce_data();
    void clickInARowTogglesItsMarkOnce();
    void spaceTogglesTheCurrentRow();
    void okAfterAStopResumesWithTheRemainingRows();
    void workLeftUnsavedKeepsTheCallerBackAfterARetry();
    void cancelSavesNothing();
    void runWithoutRowsGoesOn();

    void propertiesShowAndReturnTheFields_data();
    void propertiesShowAndReturnTheFields();
    void memoTextAndLines_data();
    void memoTextAndLines();
    void finalLineBreakEndsTheLastLine();
    void okIsEnabledExactlyWithAName();
    void okWithoutANameStaysOpen();
    void propertiesLayout();
    void dialogsAreCentredOnTheScreen();
};

void TestDialogs::rowTextsNameWhatTheyKeep_data()
{
    QTest::addColumn<SaveFileRow>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("id");
    QTest::addRow("project") << SaveFileRow::forProject(QStringLiteral("Shop"), QStringLiteral("/web/shop.vlmp"))
                             << QStringLiteral("Shop </web/shop.vlmp>") << -1;
    QTest::addRow("project never saved") << SaveFileRow::forProject(QStringLiteral("Project 1"),
                                                                    QStringLiteral("/home/me/"))
                                         << QStringLiteral("Project 1 </home/me/>") << -1;
    QTest::addRow("file") << SaveFileRow::forFile(QStringLiteral("/web/a/index.php"), 4)
                          << QStringLiteral("index.php </web/a/index.php>") << 4;
    const QString deep = QStringLiteral("/web/") + QString(120, u'x') + QStringLiteral("/page.php");
    QTest::addRow("long path stays whole")
        << SaveFileRow::forFile(deep, 7) << QStringLiteral("page.php <") + deep + u'>' << 7;
}

void TestDialogs::rowTextsNameWhatTheyKeep()
{
    QFETCH(SaveFileRow, row);
    QFETCH(QString, text);
    QFETCH(int, id);
    QCOMPARE(row.text, text);
    QCOMPARE(row.id, id);
}

void TestDialogs::saveFilesOpensWithEveryRowMarked()
{
    Saver saver;
    SaveFilesDialog dialog(threeRows(), saver.function());
    QCOMPARE(dialog.objectName(), QStringLiteral("Form_SaveFiles"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Save Changed Files"));
    QCOMPARE(dialog.findChild<QGroupBox *>()->title(), QStringLiteral("Files not saved"));
    QTableWidget *table = grid(dialog);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("File Name <Path>"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Save?"));
    QCOMPARE(
        rowTexts(dialog),
        QStringList({QStringLiteral("Shop </web/shop/shop.vlmp>"), QStringLiteral("index.php </web/shop/index.php>"),
                     QStringLiteral("site.css </web/shop/css/site.css>")}));
    QCOMPARE(marks(dialog), QList<bool>({true, true, true}));
    QCOMPARE(table->currentRow(), 0);
    QCOMPARE(child<QPushButton>(dialog, "btnOK")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(dialog, "btnCancel")->text(), QStringLiteral("Cancel"));
    QCOMPARE(child<QPushButton>(dialog, "btnAll")->text(), QStringLiteral("All"));
    QCOMPARE(child<QPushButton>(dialog, "Button2")->text(), QStringLiteral("None"));
    QVERIFY(saver.asked.isEmpty());
}

void TestDialogs::okSavesFromTheLastRowToTheFirst_data()
{
    QTest::addColumn<Outcomes>("answers");
    QTest::addColumn<QList<int>>("asked");
    QTest::addColumn<bool>("stillOpen");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("rowsLeft");
    QTest::addColumn<bool>("notAllSaved");
    const QStringList none;
    QTest::addRow("every row saved: goes on")
        << Outcomes{} << QList<int>{3, 0, -1} << false << int(QDialog::Accepted) << none << false;
    QTest::addRow("a cancelled save dialog: the rest is saved, the caller stays")
        << Outcomes{{0, SaveOutcome::NotSaved}} << QList<int>{3, 0, -1} << false << int(QDialog::Rejected) << none
        << true;
    QTest::addRow("project still changed: the caller stays")
        << Outcomes{{-1, SaveOutcome::NotSaved}} << QList<int>{3, 0, -1} << false << int(QDialog::Rejected) << none
        << true;
    QTest::addRow("a save error stops at that row")
        << Outcomes{{0, SaveOutcome::Stop}} << QList<int>{3, 0} << true << int(QDialog::Rejected)
        << QStringList{QStringLiteral("Shop </web/shop/shop.vlmp>"), QStringLiteral("index.php </web/shop/index.php>")}
        << false;
    QTest::addRow("an error on the first file processed keeps every row")
        << Outcomes{{3, SaveOutcome::Stop}} << QList<int>{3} << true << int(QDialog::Rejected)
        << QStringList{QStringLiteral("Shop </web/shop/shop.vlmp>"), QStringLiteral("index.php </web/shop/index.php>"),
                       QStringLiteral("site.css </web/shop/css/site.css>")}
        << false;
}

void TestDialogs::okSavesFromTheLastRowToTheFirst()
{
    QFETCH(Outcomes, answers);
    Saver saver{answers, {}};
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    QTest::mouseClick(child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);

    QTEST(saver.asked, "asked");
    QTEST(dialog.isVisible(), "stillOpen");
    QTEST(int(dialog.result()), "result");
    QTEST(rowTexts(dialog), "rowsLeft");
    QTEST(dialog.notAllSaved(), "notAllSaved");
    if (dialog.isVisible())
        QCOMPARE(grid(dialog)->currentRow(), grid(dialog)->rowCount() - 1);
}

void TestDialogs::noneThenOkSavesNothingAndGoesOn()
{
    Saver saver;
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    grid(dialog)->setCurrentCell(2, 0);
    QTest::mouseClick(child<QPushButton>(dialog, "Button2"), Qt::LeftButton);
    QCOMPARE(marks(dialog), QList<bool>({false, false, false}));
    QCOMPARE(grid(dialog)->currentRow(), 0);

    QTest::mouseClick(child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    QVERIFY(saver.asked.isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.notAllSaved());
}

void TestDialogs::allMarksEveryRowAgain()
{
    Saver saver;
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.markNone();
    grid(dialog)->setCurrentCell(1, 0);
    QTest::mouseClick(child<QPushButton>(dialog, "btnAll"), Qt::LeftButton);
    QCOMPARE(marks(dialog), QList<bool>({true, true, true}));
    QCOMPARE(grid(dialog)->currentRow(), 0);
}

void TestDialogs::clickInARowTogglesItsMarkOnce_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("onCheckIndicator");
    QTest::addRow("on the file name") << 0 << false;
    QTest::addRow("on the check box") << 1 << true;
    QTest::addRow("beside the check box") << 1 << false;
}

void TestDialogs::clickInARowTogglesItsMarkOnce()
{
    QFETCH(int, column);
    QFETCH(bool, onCheckIndicator);
    Saver saver;
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableWidget *table = grid(dialog);
    const QRect cell = table->visualItemRect(table->item(1, column));
    // Off the indicator: right of the cell's middle, where no check box is drawn.
    const QPoint where =
        onCheckIndicator ? checkIndicatorCentre(table, 1) : cell.center() + QPoint(cell.width() / 4, 0);
    QVERIFY(cell.contains(where));

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, where);
    QCOMPARE(marks(dialog), QList<bool>({true, false, true}));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, where);
    QCOMPARE(marks(dialog), QList<bool>({true, true, true}));
}

void TestDialogs::spaceTogglesTheCurrentRow()
{
    Saver saver;
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    grid(dialog)->setFocus();
    grid(dialog)->setCurrentCell(2, 0);
    QTest::keyClick(grid(dialog), Qt::Key_Space);
    QCOMPARE(marks(dialog), QList<bool>({true, true, false}));

    QTest::mouseClick(child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    QCOMPARE(saver.asked, QList<int>({0, -1}));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestDialogs::okAfterAStopResumesWithTheRemainingRows()
{
    Saver saver{{{0, SaveOutcome::Stop}}, {}};
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    dialog.saveMarkedRows();
    QVERIFY(dialog.isVisible());

    saver.answers.clear();
    dialog.saveMarkedRows();
    QCOMPARE(saver.asked, QList<int>({3, 0, 0, -1}));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

// A file left unsaved in the first OK step is gone from the list; a later OK that saves the rest
// must not let the caller close the project over it.
void TestDialogs::workLeftUnsavedKeepsTheCallerBackAfterARetry()
{
    Saver saver{{{3, SaveOutcome::NotSaved}, {0, SaveOutcome::Stop}}, {}};
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    dialog.saveMarkedRows();
    QCOMPARE(rowTexts(dialog).size(), 2);

    saver.answers.clear();
    dialog.saveMarkedRows();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.notAllSaved());
}

void TestDialogs::cancelSavesNothing()
{
    Saver saver;
    SaveFilesDialog dialog(threeRows(), saver.function());
    dialog.show();
    QTest::mouseClick(child<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(saver.asked.isEmpty());
    QVERIFY(!dialog.notAllSaved());
}

void TestDialogs::runWithoutRowsGoesOn()
{
    Saver saver;
    bool notAllSaved = true;
    QVERIFY(SaveFilesDialog::run(nullptr, {}, saver.function(), &notAllSaved));
    QVERIFY(!notAllSaved);
    QVERIFY(saver.asked.isEmpty());
}

void TestDialogs::propertiesShowAndReturnTheFields_data()
{
    QTest::addColumn<PropertiesFields>("fields");
    QTest::addRow("As-Is ticked") << sampleFields(true);
    QTest::addRow("As-Is not ticked") << sampleFields(false);
    QTest::addRow("empty description") << PropertiesFields{QStringLiteral("P"), {}, {}, {}, false};
}

void TestDialogs::propertiesShowAndReturnTheFields()
{
    QFETCH(PropertiesFields, fields);
    PropertiesDialog dialog(fields);
    QCOMPARE(child<QLineEdit>(dialog, "eName")->text(), fields.name);
    QCOMPARE(child<QLineEdit>(dialog, "ePath")->text(), fields.path);
    QCOMPARE(child<QLineEdit>(dialog, "eURL")->text(), fields.url);
    QCOMPARE(child<QCheckBox>(dialog, "cbxAsis")->isChecked(), fields.asIs);
    QCOMPARE(child<QPlainTextEdit>(dialog, "mDescription")->toPlainText(), fields.descriptionLines.join(u'\n'));
    QCOMPARE(dialog.fields(), fields);

    child<QCheckBox>(dialog, "cbxAsis")->click();
    child<QLineEdit>(dialog, "eURL")->setText(QStringLiteral("example.org"));
    QCOMPARE(dialog.fields().asIs, !fields.asIs);
    QCOMPARE(dialog.fields().url, QStringLiteral("example.org"));
}

void TestDialogs::memoTextAndLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("memo");
    QTest::addRow("no lines: empty memo") << QStringList() << QString();
    QTest::addRow("one empty line") << QStringList{QString()} << QStringLiteral("\n");
    QTest::addRow("two lines") << QStringList{QStringLiteral("one two"), QStringLiteral("three")}
                               << QStringLiteral("one two\nthree");
    QTest::addRow("blank line inside") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}
                                       << QStringLiteral("a\n\nb");
    QTest::addRow("last line empty") << QStringList{QStringLiteral("a"), QString()} << QStringLiteral("a\n\n");
}

void TestDialogs::memoTextAndLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, memo);
    PropertiesDialog dialog({QStringLiteral("P"), {}, lines, {}, false});
    auto *description = child<QPlainTextEdit>(dialog, "mDescription");
    QCOMPARE(description->toPlainText(), memo);
    QCOMPARE(dialog.fields().descriptionLines, lines);

    description->clear();
    typeInto(description, memo);
    QCOMPARE(description->toPlainText(), memo);
    QCOMPARE(dialog.fields().descriptionLines, lines);
}

void TestDialogs::finalLineBreakEndsTheLastLine()
{
    PropertiesDialog dialog({QStringLiteral("P"), {}, {}, {}, false});
    auto *description = child<QPlainTextEdit>(dialog, "mDescription");
    typeInto(description, QStringLiteral("alpha\nbeta\n"));
    QCOMPARE(dialog.fields().descriptionLines, QStringList({QStringLiteral("alpha"), QStringLiteral("beta")}));
}

void TestDialogs::okIsEnabledExactlyWithAName()
{
    PropertiesDialog dialog(sampleFields(false));
    auto *ok = child<QPushButton>(dialog, "btnOK");
    auto *name = child<QLineEdit>(dialog, "eName");
    QVERIFY(ok->isEnabled());
    name->clear();
    QVERIFY(!ok->isEnabled());
    QTest::keyClick(name, Qt::Key_N);
    QVERIFY(ok->isEnabled());

    PropertiesDialog unnamed({});
    QVERIFY(!child<QPushButton>(unnamed, "btnOK")->isEnabled());
}

void TestDialogs::okWithoutANameStaysOpen()
{
    PropertiesDialog dialog(sampleFields(false));
    dialog.show();
    child<QPlainTextEdit>(dialog, "mDescription")->setFocus();
    child<QLineEdit>(dialog, "eName")->clear();
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), child<QLineEdit>(dialog, "eName"));

    child<QLineEdit>(dialog, "eName")->setText(QStringLiteral("Shop"));
    QTest::mouseClick(child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestDialogs::propertiesLayout()
{
    PropertiesDialog dialog(sampleFields(false));
    QCOMPARE(dialog.objectName(), QStringLiteral("Form_Properties"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Project Properties"));
    QCOMPARE(child<QCheckBox>(dialog, "cbxAsis")->text(), QStringLiteral("Leave this URL \"As-Is\""));
    QVERIFY(child<QPushButton>(dialog, "btnOK")->isDefault());
    QCOMPARE(child<QPushButton>(dialog, "btnCancel")->text(), QStringLiteral("Cancel"));

    auto *form = dialog.findChild<QFormLayout *>();
    QVERIFY(form->labelAlignment() & Qt::AlignRight);
    QStringList labels;
    for (int row = 0; row < form->rowCount(); ++row) {
        if (const QLayoutItem *item = form->itemAt(row, QFormLayout::LabelRole))
            labels.append(qobject_cast<QLabel *>(item->widget())->text());
    }
    QCOMPARE(labels,
             QStringList({QStringLiteral("Project Name:"), QStringLiteral("Description:"),
                          QStringLiteral("Project Path:"), QStringLiteral("Server URL:")}));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void TestDialogs::dialogsAreCentredOnTheScreen()
{
    // The owner sits in a corner, so a dialog merely centred over its owner fails.
    QWidget owner;
    owner.setGeometry(0, 0, 200, 150);
    owner.show();
    Saver saver;
    QVERIFY(centredOnScreen(new PropertiesDialog(sampleFields(false), &owner)));
    auto *saveFiles = new SaveFilesDialog(threeRows(), saver.function(), &owner);
    QVERIFY(centredOnScreen(saveFiles));
    QCOMPARE(saveFiles->minimumSize(), saveFiles->maximumSize());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
