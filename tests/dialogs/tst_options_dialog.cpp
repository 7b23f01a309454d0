#include "ColourComboBox.h"
#include "EditorWidget.h"
#include "OptionsDialog.h"
#include "SynHighlighterHtml.h"
#include "SynHighlighterPHP.h"
#include "SyntaxColourItems.h"
#include "WordTableModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

// The Options dialog's own rules: the word tables, the colour lists, visibility, and showing
// an item.
class TestOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void wordTableKeepsEntriesOnOneLine();
    void colourListKeepsAValueItHasNoEntryFor();
    void fillsAndReadsBackEveryControl();
    void viewerBoxFollowsTheRadioButtons();
    void customTablesFollowTheirBox();
    void showingAnItemPassesItsValuesOn();
    void fontsListFixedPitchFirst();

private:
    OptionsFields someFields() const;
};

namespace {

// The dialog over highlighters of its own.
struct OpenDialog {
    SynPHPSyn php;
    SynHTMLSyn html;
    SyntaxColourItems colours{php, html};
    EditorWidget editor;
    std::unique_ptr<OptionsDialog> dialog;

    OptionsDialog &open(const OptionsFields &fields)
    {
        dialog = std::make_unique<OptionsDialog>(fields, colours, editor, nullptr);
        return *dialog;
    }
};

} // namespace

OptionsFields TestOptionsDialog::someFields() const
{
    OptionsFields fields;
    fields.options.FontName = QStringLiteral("Some Font");
    fields.options.BackGroundColor = 0xC0C0C0;
    fields.options.Gutter = false;
    fields.options.ExternalViewer = true;
    fields.options.ViewerName = QStringLiteral("/usr/bin/viewer");
    fields.options.PHPCustomHighlighting = true;
    fields.options.BuiltInServer = true;
    fields.fontSize = QStringLiteral("11");
    fields.tabWidth = QStringLiteral("4");
    fields.rightEdge = QStringLiteral("80");
    fields.keywords = {"echo", "else"};
    fields.functions = {"strlen"};
    return fields;
}

void TestOptionsDialog::wordTableKeepsEntriesOnOneLine()
{
    WordTableModel table(QStringLiteral("Keywords"), 5);
    table.fill({"a", "b"});
    QSignalSpy edited(&table, &WordTableModel::edited);
    QCOMPARE(table.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Keywords"));
    QVERIFY(table.setData(table.index(0, 0), QStringLiteral("first\r\nsecond"), Qt::EditRole));
    QVERIFY(table.setData(table.index(1, 0), QStringLiteral("toolongword"), Qt::EditRole));
    QCOMPARE(table.entries(), (QStringList{"first", "toolo"}));
    QVERIFY(table.insertRows(1, 1));
    QCOMPARE(table.entries(), (QStringList{"first", "", "toolo"}));
    QVERIFY(table.removeRows(0, 1));
    QVERIFY(!table.removeRows(5, 1));
    QCOMPARE(table.entries(), (QStringList{"", "toolo"}));
    QCOMPARE(edited.size(), 4);
}

void TestOptionsDialog::colourListKeepsAValueItHasNoEntryFor()
{
    ColourComboBox named(ColourComboBox::Entries::Named);
    ColourComboBox full(ColourComboBox::Entries::WithNoneAndDefault);
    QCOMPARE(named.count(), 16);
    QCOMPARE(full.count(), 18);
    QCOMPARE(full.itemText(16), QStringLiteral("None"));
    QVERIFY(named.setColour(0x123456)); // no entry shown before: a change
    QCOMPARE(named.currentIndex(), -1);
    QCOMPARE(named.colour(), SynColor(0x123456));
    QVERIFY(named.setColour(0x123456)); // still no entry shown: a change again
    QVERIFY(named.setColour(0x808000));
    QCOMPARE(named.currentText(), QStringLiteral("Teal"));
    QVERIFY(!named.setColour(0x808000));
    QSignalSpy picked(&full, &ColourComboBox::colourPicked);
    emit full.activated(17);
    QCOMPARE(full.colour(), clDefault);
    QCOMPARE(picked.size(), 1);
}

void TestOptionsDialog::fillsAndReadsBackEveryControl()
{
    OpenDialog open;
    const OptionsFields fields = someFields();
    OptionsDialog &dialog = open.open(fields);
    const OptionsFields back = dialog.fields();
    QCOMPARE(back.options, fields.options);
    QCOMPARE(back.fontSize, fields.fontSize);
    QCOMPARE(back.tabWidth, fields.tabWidth);
    QCOMPARE(back.rightEdge, fields.rightEdge);
    QCOMPARE(back.keywords, fields.keywords);
    QVERIFY(!back.tablesEdited);
    // Each setting box is tied to a setting (the style boxes edit colours instead).
    const QStringList styleBoxes{"cBold", "cItalic", "cUnderline"};
    for (QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
        if (styleBoxes.contains(box->objectName()))
            continue;
        box->toggle();
        QVERIFY2(!(dialog.fields().options == fields.options), qPrintable(box->objectName()));
        box->toggle();
    }
}

void TestOptionsDialog::viewerBoxFollowsTheRadioButtons()
{
    OpenDialog open;
    OptionsDialog &dialog = open.open(someFields());
    auto *viewer = dialog.findChild<QLineEdit *>("eViewer");
    QVERIFY(viewer->isVisibleTo(&dialog));
    dialog.findChild<QRadioButton *>("rbInternal")->setChecked(true);
    QVERIFY(!viewer->isVisibleTo(&dialog));
    QVERIFY(!dialog.fields().options.ExternalViewer);
}

void TestOptionsDialog::customTablesFollowTheirBox()
{
    OpenDialog open;
    OptionsDialog &dialog = open.open(someFields());
    QWidget *custom = dialog.findChild<QWidget *>("gbCustom");
    auto *box = dialog.findChild<QCheckBox *>("cbxCustomHighlighting");
    // (Its page is not the one shown, so only its own visibility tells.)
    QVERIFY(!custom->isHidden());
    dialog.findChild<QToolButton *>("DBNavigator2_Delete")->click();
    QVERIFY(dialog.fields().tablesEdited);
    QVERIFY(dialog.fields().functions.isEmpty());
    // Unticking and ticking again discards the edits.
    box->setChecked(false);
    QVERIFY(custom->isHidden());
    box->setChecked(true);
    QCOMPARE(dialog.fields().functions, QStringList{"strlen"});
    QVERIFY(!dialog.fields().tablesEdited);
}

void TestOptionsDialog::showingAnItemPassesItsValuesOn()
{
    OpenDialog open;
    SynPHPSyn &php = open.php;
    SynHTMLSyn &html = open.html;
    php.CommentAttri()->SetForeground(0x808000);
    php.CommentAttri()->SetStyle(fsItalic);
    html.CommentAttri()->SetForeground(0x000080);
    html.CommentAttri()->SetStyle(fsBold);
    OptionsDialog &dialog = open.open(someFields());
    // Opening shows item 0: the HTML comment takes the PHP comment's value for every control that
    // changed. Bold was off and stays off, so the HTML comment keeps its bold.
    QCOMPARE(html.CommentAttri()->Foreground(), SynColor(0x808000));
    QCOMPARE(html.CommentAttri()->Style(), std::uint8_t(fsBold | fsItalic));
    QCOMPARE(dialog.findChild<ColourComboBox *>("cbForeColor")->currentText(), QStringLiteral("Teal"));
    QVERIFY(dialog.findChild<QCheckBox *>("cItalic")->isChecked());
    // HTML Tag: bold acts on the HTML tag names only.
    dialog.findChild<QListWidget *>("lbItems")->setCurrentRow(2);
    auto *bold = dialog.findChild<QCheckBox *>("cBold");
    const std::uint8_t phpKeyStyle = php.KeyAttri()->Style();
    bold->setChecked(!bold->isChecked());
    QCOMPARE(html.KeyAttri()->Style() & fsBold, bold->isChecked() ? fsBold : 0);
    QCOMPARE(php.KeyAttri()->Style(), phpKeyStyle);
}

void TestOptionsDialog::fontsListFixedPitchFirst()
{
    OpenDialog open;
    OptionsDialog &dialog = open.open(someFields());
    auto *fonts = dialog.findChild<QComboBox *>("FontComboBox1");
    QCOMPARE(fonts->currentText(), QStringLiteral("Some Font")); // kept although not installed
    bool pastFixed = false;
    for (int i = 1; i < fonts->count(); ++i) {
        const QString family = fonts->itemText(i);
        if (family.isEmpty())
            continue; // the separator
        if (!QFontDatabase::isFixedPitch(family))
            pastFixed = true;
        else
            QVERIFY2(!pastFixed, qPrintable(family));
    }
}

QTEST_MAIN(TestOptionsDialog)
#include "tst_options_dialog.moc"
