// The translator on a small window of every kind of control it knows, and the table format.
#include "ComponentText.h"
#include "MultiLang.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// The fixture window, every control named as the table below names it.
struct FixtureWindow {
    QWidget window;
    QLabel *label = new QLabel(QStringLiteral("Name:"), &window);
    QCheckBox *check = new QCheckBox(QStringLiteral("Wrap"), &window);
    QGroupBox *group = new QGroupBox(QStringLiteral("Options"), &window);
    QListWidget *list = new QListWidget(&window);
    QComboBox *box = new QComboBox(&window);
    QTabWidget *tabs = new QTabWidget(&window);
    QWidget *page = new QWidget;
    QStatusBar *status = new QStatusBar(&window);
    QMenu *menu = new QMenu(QStringLiteral("File"), &window);
    QAction *item = menu->addAction(QStringLiteral("Open"));
    QAction *button = new QAction(QStringLiteral("btnCut"), &window);
    QLineEdit *edit = new QLineEdit(QStringLiteral("typed"), &window);
    QLineEdit *shown = new QLineEdit(QStringLiteral("shown"), &window);
    QWidget *navigator = new QWidget(&window);
    ComponentText *dialog = new ComponentText(&window, "OpenDialog", ComponentText::Kind::FileDialog, "Open", "*.*");
    QLabel *untouched = new QLabel(QStringLiteral("Keep"), &window);

    FixtureWindow()
    {
        window.setWindowTitle(QStringLiteral("Window"));
        label->setObjectName(QStringLiteral("Label1"));
        check->setObjectName(QStringLiteral("cbxWrap"));
        group->setObjectName(QStringLiteral("GroupBox1"));
        list->setObjectName(QStringLiteral("lbItems"));
        list->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        box->setObjectName(QStringLiteral("cbMask"));
        box->addItems({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        box->setCurrentIndex(2);
        tabs->addTab(page, QStringLiteral("General"));
        page->setObjectName(QStringLiteral("tsGeneral"));
        status->setObjectName(QStringLiteral("StatusBar1"));
        status->showMessage(QStringLiteral("Ready"));
        menu->setObjectName(QStringLiteral("File1"));
        item->setObjectName(QStringLiteral("Open1"));
        button->setObjectName(QStringLiteral("btnCut"));
        button->setToolTip(QStringLiteral("built"));
        edit->setObjectName(QStringLiteral("eName"));
        shown->setObjectName(QStringLiteral("eShown"));
        shown->setReadOnly(true);
        navigator->setObjectName(QStringLiteral("DBNavigator1"));
        navigator->setProperty(NavigatorProperty, true);
        for (int i = 0; i < 2; ++i)
            new QToolButton(navigator);
        untouched->setObjectName(QStringLiteral("Label9"));
    }
};

// English, Croatian, French, German; "" for an empty cell.
QStringList record(const char *key, const char *en, const char *hr = "", const char *fr = "", const char *de = "")
{
    return {QString::fromUtf8(key), QString::fromUtf8(en), QString::fromUtf8(hr), QString::fromUtf8(fr),
            QString::fromUtf8(de)};
}

TranslationTable fixtureTable()
{
    TranslationTable table;
    for (const QStringList &r : {
             record("%Form%", "Window", "Prozor", "Fenêtre", "Fenster"),
             record("label1", "Name:", "Ime:", "", "Name:"), // the name in another case; French empty
             record("cbxWrap", "Wrap", "Prijelom", "Retour", "Umbruch"),
             record("GroupBox1", "Options", "Opcije", "Options", "Optionen"),
             record("lbItems", "One", "Jedan", "Un", "Eins"),
             record("\"", "Two", "Dva", "Deux", "Zwei"),
             record("cbMask", "*.*", "", "", ""),
             record("\"", "*.php", "", "", ""),
             record("tsGeneral", "General", "Općenito", "Général", "Allgemein"),
             record("StatusBar1", ""),
             record("File1", "File", "Datoteka", "Fichier", "Datei"),
             record("Open1", "Open", "Otvori", "Ouvrir", "Öffnen"),
             record("btnCut", ""),
             record("\".Hint", "Cut", "Izreži", "Couper", ""),
             record("eName", "never"),
             record("eShown", "Shown", "Prikazano", "Montré", "Gezeigt"),
             record("DBNavigator1", "First record"),
             record("\"", "Prior record", "", "", "Voriger"),
             record("\"", "Next record"),
             record("OpenDialog", "Open", "Otvori", "Ouvrir", "Öffnen"),
             record("\"", "All|*.*", "", "Tous|*.*", ""),
             record("NoSuchControl", "ignored"),
             record("\"", "a continuation left over"),
         })
        table.Words += r;
    return table;
}

QStringList itemsOf(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void everyKindOfControl_data();
    void everyKindOfControl();
    void emptyCellShowsEnglish();
    void componentWithoutRecordKeepsItsText();
    void emptyHintKeepsTheBuiltOne();
    void refusals_data();
    void refusals();
    void switchReachesEveryWindow();
    void windowFontFollowsTheLanguage();
    void parse_data();
    void parse();
    void parseErrors_data();
    void parseErrors();

private:
    QStringList m_refusals;
};

void TestTranslator::init()
{
    m_refusals.clear();
    MultiLang::refusal() = [this](QWidget *, const QString &message) { m_refusals.append(message); };
    MultiLang::SwitchAllLanguages(MultiLang::English);
}

void TestTranslator::everyKindOfControl_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts");
    // title, label, check box, group, list items, mask items and index, tab, status, menu, item,
    // button text, button hint, edit, read-only edit, navigator hints, dialog title and filter
    const auto row = [](const char *name, int language, QStringList texts) {
        QTest::addRow("%s", name) << language << texts;
    };
    row("English", 0,
        {"Window", "Name:", "Wrap", "Options", "One|Two|", "*.*|*.php||2", "General", "", "File", "Open", "", "Cut",
         "typed", "Shown", "First record|Prior record", "Open", "All|*.*"});
    row("Croatian", 1,
        {"Prozor", "Ime:", "Prijelom", "Opcije", "Jedan|Dva|", "*.*|*.php||2", "Općenito", "", "Datoteka", "Otvori", "",
         "Izreži", "typed", "Prikazano", "First record|Prior record", "Otvori", "All|*.*"});
    row("German", 3,
        {"Fenster", "Name:", "Umbruch", "Optionen", "Eins|Zwei|", "*.*|*.php||2", "Allgemein", "", "Datei", "Öffnen",
         "", "Cut", "typed", "Gezeigt", "First record|Voriger", "Öffnen", "All|*.*"});
}

void TestTranslator::everyKindOfControl()
{
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    FixtureWindow f;
    MultiLang translator(&f.window, fixtureTable());
    translator.SetActiveLanguage(language);
    const QStringList shown{
        f.window.windowTitle(),
        f.label->text(),
        f.check->text(),
        f.group->title(),
        itemsOf(f.list).join(u'|'),
        itemsOf(f.box).join(u'|') + u'|' + QString::number(f.box->currentIndex()),
        f.tabs->tabText(0),
        f.status->currentMessage(),
        f.menu->title(),
        f.item->text(),
        f.button->text(),
        f.button->toolTip(),
        f.edit->text(),
        f.shown->text(),
        f.navigator->findChildren<QToolButton *>()[0]->toolTip() + u'|'
            + f.navigator->findChildren<QToolButton *>()[1]->toolTip(),
        f.dialog->caption(),
        f.dialog->filter(),
    };
    QCOMPARE(shown, texts);
    QVERIFY(m_refusals.isEmpty());
}

void TestTranslator::emptyCellShowsEnglish()
{
    FixtureWindow f;
    MultiLang translator(&f.window, fixtureTable());
    translator.SetActiveLanguage(MultiLang::French);
    QCOMPARE(f.label->text(), QStringLiteral("Name:"));
    QCOMPARE(f.dialog->filter(), QStringLiteral("Tous|*.*"));
    translator.DefaultEnabled = false;
    translator.SetActiveLanguage(MultiLang::French);
    QCOMPARE(f.label->text(), QString());
}

void TestTranslator::componentWithoutRecordKeepsItsText()
{
    FixtureWindow f;
    TranslationTable table = fixtureTable();
    table.DoNot = QStringList{QStringLiteral("Label9")};
    MultiLang translator(&f.window, table);
    for (int language : {1, 2, 3, 0})
        translator.SetActiveLanguage(language);
    QCOMPARE(f.untouched->text(), QStringLiteral("Keep"));
}

void TestTranslator::emptyHintKeepsTheBuiltOne()
{
    FixtureWindow f;
    TranslationTable table;
    table.Words = record("btnCut", "") + record("\".Hint", "");
    MultiLang translator(&f.window, table);
    translator.SetActiveLanguage(MultiLang::German);
    QCOMPARE(f.button->toolTip(), QStringLiteral("built"));
}

void TestTranslator::refusals_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("extraWords");
    QTest::addRow("language beyond the table") << 4 << 0;
    QTest::addRow("negative language") << -1 << 0;
    QTest::addRow("length not a multiple of five") << 1 << 3;
}

void TestTranslator::refusals()
{
    QFETCH(int, language);
    QFETCH(int, extraWords);
    FixtureWindow f;
    TranslationTable table = fixtureTable();
    for (int i = 0; i < extraWords; ++i)
        table.Words.append(QStringLiteral("x"));
    MultiLang translator(&f.window, table);
    translator.SetActiveLanguage(language);
    QCOMPARE(m_refusals.size(), 1);
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Window"));
    QCOMPARE(f.label->text(), QStringLiteral("Name:"));
    QCOMPARE(translator.ActiveLanguage(), MultiLang::English);
}

void TestTranslator::switchReachesEveryWindow()
{
    FixtureWindow first;
    FixtureWindow second;
    MultiLang a(&first.window, fixtureTable());
    MultiLang b(&second.window, fixtureTable());
    MultiLang::SwitchAllLanguages(MultiLang::Croatian);
    QCOMPARE(first.window.windowTitle(), QStringLiteral("Prozor"));
    QCOMPARE(second.window.windowTitle(), QStringLiteral("Prozor"));
    QCOMPARE(MultiLang::currentLanguage(), int(MultiLang::Croatian));
    // A window made later takes the current language as it is loaded.
    FixtureWindow later;
    MultiLang c(&later.window, fixtureTable());
    c.Loaded();
    QCOMPARE(later.check->text(), QStringLiteral("Prijelom"));
    QCOMPARE(c.objectName(), QStringLiteral("MultiLang1"));
}

// The tables name the system's font for every language; a font of the window's own is kept as the
// entry of the language it was shown in, and comes back with it.
void TestTranslator::windowFontFollowsTheLanguage()
{
    FixtureWindow f;
    f.window.setFont(QFont(QStringLiteral("DejaVu Serif")));
    TranslationTable table = fixtureTable();
    table.CharSets = QStringList(4, QStringLiteral("MS Sans Serif,1"));
    MultiLang translator(&f.window, table);
    translator.SetActiveLanguage(MultiLang::German);
    QCOMPARE(f.window.font().family(), QApplication::font().family());
    translator.SetActiveLanguage(MultiLang::English);
    QCOMPARE(f.window.font().family(), QStringLiteral("DejaVu Serif"));
}

void TestTranslator::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addRow("cells in any order, missing ones empty")
        << "# a comment\n%Form%\n\tde Fenster\n\ten Window\n\nbtnCut\n\n\".Hint\n\ten Cut\n"
        << record("%Form%", "Window", "", "", "Fenster") + record("btnCut", "") + record("\".Hint", "Cut");
    QTest::addRow("escapes and blanks kept") << "lblInfo\n\ten a\\nb \\\\ \n\thr  Adresa: \r\n"
                                             << record("lblInfo", "a\r\nb \\ ", " Adresa: ");
}

void TestTranslator::parse()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QString error;
    const std::optional<TranslationTable> table = parseTranslationTable(text, &error);
    QVERIFY2(table, qPrintable(error));
    QCOMPARE(table->Words, words);
}

void TestTranslator::parseErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::addRow("cell without a key") << "\ten x\n"
                                        << "line 1: a cell without a key";
    QTest::addRow("unknown language") << "a\n\tit x\n"
                                      << "line 2: a cell without a language code (en, hr, fr, de)";
    QTest::addRow("second cell") << "a\n\ten x\n\ten y\n"
                                 << "line 3: a second cell for en";
    QTest::addRow("unknown escape") << "a\n\ten \\t\n"
                                    << "line 2: an unknown escape";
    QTest::addRow("key inside a record") << "a\nb\n"
                                         << "line 2: a key inside a record";
}

void TestTranslator::parseErrors()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    QString said;
    QVERIFY(!parseTranslationTable(text, &said));
    QCOMPARE(said, error);
}

QTEST_MAIN(TestTranslator)
#include "tst_translator.moc"
