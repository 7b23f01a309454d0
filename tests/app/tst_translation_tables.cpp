// The translation tables of the windows as compiled in: their sizes, their component names
// against the windows, and every caption of every window in the four languages.
#include "AboutDialog.h"
#include "CodeExplorerDialog.h"
#include "CodeExplorerModel.h"
#include "EditorWidget.h"
#include "IniFile.h"
#include "MainWindow.h"
#include "MultiLang.h"
#include "OptionsDialog.h"
#include "PrintFileDialog.h"
#include "PropertiesDialog.h"
#include "SaveFilesDialog.h"
#include "SearchReplaceDialog.h"
#include "SyntaxColourItems.h"
#include "SysOptions.h"
#include "VariablesDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// What the windows need to be built in a test.
struct Owners {
    QTemporaryDir dir;
    SynPHPSyn php;
    SynHTMLSyn html;
    SyntaxColourItems colours{php, html};
    EditorWidget editor;
    CodeExplorerModel model{{}};
};

using WindowMaker = std::function<std::unique_ptr<QWidget>(Owners &)>;

struct WindowTable {
    const char *table;
    int records;
    WindowMaker make;
    QStringList ownTexts = {}; // what the window writes after the table, in every language
};

const QList<WindowTable> &windowTables()
{
    static const QList<WindowTable> tables{
        // The original counted 263 records: one group its lists never name, as there is no
        // message 7.
        {"main", 262,
         [](Owners &o) {
             return std::make_unique<MainWindow>(ProgramFiles(o.dir.path(), QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                                 QStringList{});
         }},
        {"options", 77,
         [](Owners &o) { return std::make_unique<OptionsDialog>(OptionsFields{}, o.colours, o.editor, nullptr); }},
        {"savefiles", 14,
         [](Owners &) { return std::make_unique<SaveFilesDialog>(QList<SaveFileRow>{}, SaveRowFunction{}); }},
        {"searchreplace", 11,
         [](Owners &) { return std::make_unique<SearchReplaceDialog>(SearchForm::Replace, SearchFields{}); }},
        {"properties", 9, [](Owners &) { return std::make_unique<PropertiesDialog>(PropertiesFields{}); }},
        {"variables", 9, [](Owners &) { return std::make_unique<VariablesDialog>(ScanResults{}); }},
        {"codeexplorer", 4,
         [](Owners &o) { return std::make_unique<CodeExplorerDialog>(o.model, QStringLiteral("demo"), 0, QString()); }},
        {"print", 17, [](Owners &) { return std::make_unique<PrintFileDialog>(PrintFields{}); }},
        {"about",
         6,
         [](Owners &) {
             return std::make_unique<AboutDialog>(QStringLiteral("Velmora PHP Editor"), QStringLiteral("1.0"));
         },
         {QStringLiteral("lblTitle"), QStringLiteral("lblVersion")}},
    };
    return tables;
}

bool isContinuation(const QString &key)
{
    return key == u"\"" || key.compare(u"\".Hint", Qt::CaseInsensitive) == 0;
}

// Separators show no text; the window's separators are laid out by its command table.
bool isSeparator(const QString &key)
{
    static const QRegularExpression separator(QStringLiteral("^(N|ToolButton)\\d+$"));
    return separator.match(key).hasMatch();
}

// The text a single-record caption shows, for the kinds whose caption is plain to read.
std::optional<QString> captionOf(QObject *component)
{
    if (auto *label = qobject_cast<QLabel *>(component))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(component))
        return button->text();
    if (auto *group = qobject_cast<QGroupBox *>(component))
        return group->title();
    if (auto *menu = qobject_cast<QMenu *>(component))
        return menu->title();
    if (auto *action = qobject_cast<QAction *>(component))
        return action->text();
    return std::nullopt;
}

QObject *componentNamed(QWidget *window, const QString &name)
{
    for (QObject *child : window->findChildren<QObject *>())
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    return nullptr;
}

} // namespace

class TestTranslationTables : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tableSizes_data();
    void tableSizes();
    void everyNameIsOnItsWindow_data();
    void everyNameIsOnItsWindow();
    void captionsInEveryLanguage_data();
    void captionsInEveryLanguage();
    void dialogsOpenInTheCurrentLanguage();
    void languageMenuSwitchesAndIsRemembered();
    void storedNumberThatIsNoLanguageGivesEnglish();
};

void TestTranslationTables::init()
{
    MultiLang::refusal() = [](QWidget *, const QString &message) { QFAIL(qPrintable(message)); };
}

void TestTranslationTables::cleanup()
{
    MultiLang::SwitchAllLanguages(MultiLang::English);
}

void TestTranslationTables::tableSizes_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("records");
    for (const WindowTable &window : windowTables())
        QTest::addRow("%s", window.table) << QString::fromLatin1(window.table) << window.records;
}

void TestTranslationTables::tableSizes()
{
    QFETCH(QString, table);
    QFETCH(int, records);
    const TranslationTable words = windowTable(table);
    QCOMPARE(words.Words.size(), records * (TranslationTable::Languages + 1));
    QCOMPARE(words.CharSets.size(), TranslationTable::Languages);
    const QString german =
        table == u"searchreplace" ? QStringLiteral("MS Sans Serif,238") : QStringLiteral("MS Sans Serif,1");
    QCOMPARE(words.CharSets.last(), german);
    const QStringList doNot = table == u"main" ? QStringList{QStringLiteral("cbHighlighter")}
        : table == u"about"                    ? QStringList{QStringLiteral("Label1")}
                                               : QStringList{};
    QCOMPARE(words.DoNot, doNot);
}

void TestTranslationTables::everyNameIsOnItsWindow_data()
{
    QTest::addColumn<int>("window");
    for (int i = 0; i < windowTables().size(); ++i)
        QTest::addRow("%s", windowTables()[i].table) << i;
}

void TestTranslationTables::everyNameIsOnItsWindow()
{
    QFETCH(int, window);
    Owners owners;
    const std::unique_ptr<QWidget> shown = windowTables()[window].make(owners);
    const TranslationTable table = windowTable(QString::fromLatin1(windowTables()[window].table));
    QStringList missing;
    for (qsizetype i = 0; i < table.Words.size(); i += TranslationTable::Languages + 1) {
        const QString &key = table.Words[i];
        if (key != u"%Form%" && !isContinuation(key) && !isSeparator(key) && !componentNamed(shown.get(), key))
            missing.append(key);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u", ")));
}

void TestTranslationTables::captionsInEveryLanguage_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("language");
    const char *languages[] = {"English", "Croatian", "French", "German"};
    for (int i = 0; i < windowTables().size(); ++i)
        for (int language = 0; language < TranslationTable::Languages; ++language)
            QTest::addRow("%s %s", windowTables()[i].table, languages[language]) << i << language;
}

// Every caption, list item and tooltip the table gives a control of a plain kind, read back from
// the control: what a person sees in each language, the English cell standing in for an empty one.
void TestTranslationTables::captionsInEveryLanguage()
{
    QFETCH(int, window);
    QFETCH(int, language);
    Owners owners;
    const std::unique_ptr<QWidget> shown = windowTables()[window].make(owners);
    MultiLang::SwitchAllLanguages(language);
    const TranslationTable table = windowTable(QString::fromLatin1(windowTables()[window].table));
    constexpr int Record = TranslationTable::Languages + 1;
    const auto text = [&](qsizetype record) {
        const QString cell = table.Words[record + 1 + language];
        return cell.isEmpty() ? table.Words[record + 1] : cell;
    };
    QStringList wrong;
    const auto check = [&](const QString &what, const QString &seen, const QString &expected) {
        if (seen != expected)
            wrong.append(QStringLiteral("%1: \"%2\" instead of \"%3\"").arg(what, seen, expected));
    };
    for (qsizetype i = 0; i < table.Words.size(); i += Record) {
        const QString &key = table.Words[i];
        QObject *component = key == u"%Form%" || isContinuation(key) ? nullptr : componentNamed(shown.get(), key);
        if (!component || isSeparator(key) || windowTables()[window].ownTexts.contains(key))
            continue;
        QStringList values{text(i)};
        qsizetype next = i + Record;
        for (; next < table.Words.size() && table.Words[next] == u"\""; next += Record)
            values.append(text(next));
        if (next < table.Words.size() && isContinuation(table.Words[next]) && !text(next).isEmpty()) {
            const QString tip = qobject_cast<QAction *>(component) ? qobject_cast<QAction *>(component)->toolTip()
                                                                   : qobject_cast<QWidget *>(component)->toolTip();
            check(key + QStringLiteral(" hint"), tip, text(next));
        }
        if (auto *list = qobject_cast<QListWidget *>(component))
            for (int item = 0; item < list->count(); ++item)
                check(key, list->item(item)->text(), values.value(item));
        else if (auto *box = qobject_cast<QComboBox *>(component))
            for (int item = 0; item < box->count(); ++item)
                check(key, box->itemText(item), values.value(item));
        else if (const std::optional<QString> caption = captionOf(component); caption && values.size() == 1)
            check(key, *caption, values.first());
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"; ")));
    if (window != 0) // the main window's title adds the project's name
        QCOMPARE(shown->windowTitle(), text(0));
}

void TestTranslationTables::dialogsOpenInTheCurrentLanguage()
{
    MultiLang::SwitchAllLanguages(MultiLang::German);
    PropertiesDialog dialog{PropertiesFields{}};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Projekteigenschaften"));
}

void TestTranslationTables::languageMenuSwitchesAndIsRemembered()
{
    QTemporaryDir dir;
    const ProgramFiles files(dir.path(), QStringLiteral(VELMORA_SOURCE_DATA_DIR));
    {
        MainWindow window(files, {});
        const auto *status = window.findChild<QStatusBar *>(QStringLiteral("sbDirectory"));
        window.findChild<QAction *>(QStringLiteral("German1"))->trigger();
        QCOMPARE(window.findChild<QMenu *>(QStringLiteral("File1"))->title(), QStringLiteral("Datei"));
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("btnRun"))->toolTip(), QStringLiteral("Projekt laufen"));
        // The switch blanks the folder line; the window writes it again at once.
        QVERIFY(!status->currentMessage().isEmpty());
        IniFile settings(files.settingsFile());
        QVERIFY(settings.load());
        QCOMPARE(readLanguageIndex(settings), int(MultiLang::German));
    }
    MultiLang::SwitchAllLanguages(MultiLang::English);
    MainWindow again(files, {});
    QCOMPARE(again.findChild<QMenu *>(QStringLiteral("File1"))->title(), QStringLiteral("Datei"));
    QCOMPARE(MultiLang::currentLanguage(), int(MultiLang::German));
}

void TestTranslationTables::storedNumberThatIsNoLanguageGivesEnglish()
{
    QTemporaryDir dir;
    const ProgramFiles files(dir.path(), QStringLiteral(VELMORA_SOURCE_DATA_DIR));
    IniFile settings(files.settingsFile());
    writeLanguageIndex(settings, 7);
    QString error;
    QVERIFY2(settings.save(&error), qPrintable(error));
    MainWindow window(files, {});
    QCOMPARE(window.findChild<QMenu *>(QStringLiteral("File1"))->title(), QStringLiteral("File"));
    QCOMPARE(MultiLang::currentLanguage(), int(MultiLang::English));
    // A dialog opened now shows its texts without a refusal (init() fails the test on one).
    PropertiesDialog dialog{PropertiesFields{}};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Project Properties"));
}

QTEST_MAIN(TestTranslationTables)
#include "tst_translation_tables.moc"
