#include "ApplicationSetup.h"
#include "DialogPrompts.h"
#include "FileBrowserPane.h"
#include "MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

namespace {

// Closes the next modal box and hands back its text, so an error shown during a call can be
// checked without a person to press OK.
class ModalWatcher
{
public:
    ModalWatcher()
    {
        QTimer::singleShot(0, [this] { poll(); });
    }
    QString text() const { return m_text; }

private:
    void poll()
    {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            m_text = box->text();
            box->accept();
            return;
        }
        if (m_tries++ < 200)
            QTimer::singleShot(10, [this] { poll(); });
    }
    QString m_text;
    int m_tries = 0;
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void opensWithItsFrame();
    void closingWritesHistoryAndPlacement();
    void placementIsRestoredOnNextStart();
    void maximisedWindowKeepsItsNormalPlace();
    void applySettingsWritesEveryKey();
    void unwritableSettingsShowAnErrorAndKeepRunning();
    void menuItems_data();
    void menuItems();
    void toolBars_data();
    void toolBars();
    void everyCommandPlaceIsOnTheWindow();
    void titlesGetNoApplicationName();
    void viewTogglesPersist();
    void fileBrowserDocksBelowTheProjectList();
    void hiddenPanesKeepTheirSizes();
    void missingColourFilesAreCreated();
    void colourFilesAreLoaded();

private:
    ProgramFiles files() const { return ProgramFiles(m_dir->path(), QStringLiteral(VELMORA_SOURCE_DATA_DIR)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMainWindow::opensWithItsFrame()
{
    MainWindow window(files(), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmora PHP Editor"));
    QCOMPARE(window.size(), QSize(785, 542));
    const MainFrame &f = window.frame();
    QVERIFY(!f.pnlEditor->isVisible());
    QVERIFY(f.pnlProjectFiles->isVisible());
    QVERIFY(f.pnlFiles->isVisible());
    QCOMPARE(f.leftPaneWidth(), 200);
    QCOMPARE(f.fileBrowserHeight(), 250);
    for (const char *name :
         {"pnlWork",        "ToolBar1",      "pnlProject", "pnlProjectFiles",   "dxtlProject", "ToolBar3",
          "pnlFiles",       "MFileExplorer", "cbMask",     "sbDirectory",       "pnlEditor",   "ToolBar2",
          "sbEditor",       "StatusBar1",    "pnlPreview", "eProjectPath",      "Splitter1",   "Splitter2",
          "DriveComboBox1", "sbView",        "sbUp",       "lblFileNameYellow", "lblFileName", "cbHighlighter",
          "pnlFunctions",   "lbFunctions",   "pnlClasses", "lbClasses",         "pnlMessages", "lblMessage14"})
        QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(name)), name);
    QVERIFY(!f.pnlPreview->isVisible());
    // Starting and looking writes no settings: only a refresh does.
    QVERIFY(!QFile::exists(files().settingsFile()));
}

void TestMainWindow::closingWritesHistoryAndPlacement()
{
    {
        MainWindow window(files(), {});
        window.projectHistory().add(QStringLiteral("/web/site.vlmp"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }
    QFile history(files().historyFile());
    QVERIFY(history.open(QIODevice::ReadOnly));
    QCOMPARE(history.readAll(), QByteArray("/web/site.vlmp\r\n"));

    const QSettings placement(files().placementFile(), QSettings::IniFormat);
    QCOMPARE(placement.value("TForm_Main/pnlProject.Width").toString(), QStringLiteral("200"));
    QCOMPARE(placement.value("TForm_Main/pnlFiles.Height").toString(), QStringLiteral("250"));
    QCOMPARE(placement.value("TForm_Main/ToolBar1.Visible").toString(), QStringLiteral("True"));
    QCOMPARE(placement.value("TForm_Main/cbMask.Text").toString(), QStringLiteral("*.*"));
    QCOMPARE(placement.value("TForm_Main/NormPos").toString().split(',').size(), 4);
    // Closing refreshes the window once more, which writes the settings.
    IniFile settings(files().settingsFile());
    QVERIFY(settings.load());
    QCOMPARE(readSysOptions(settings), SysOptions());
}

void TestMainWindow::placementIsRestoredOnNextStart()
{
    {
        MainWindow window(files(), {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MainFrame f = window.frame();
        f.setLeftPaneWidth(260);
        f.ToolBar1->hide();
        f.StatusBar1->hide();
        f.pnlFiles->setDirectory(m_dir->path());
        window.resize(700, 500);
        QVERIFY(window.close());
    }
    MainWindow window(files(), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainFrame &f = window.frame();
    QCOMPARE(window.size(), QSize(700, 500));
    QCOMPARE(f.leftPaneWidth(), 260);
    QVERIFY(f.ToolBar1->isHidden());
    QVERIFY(f.StatusBar1->isHidden());
    QVERIFY(!f.pnlFiles->isHidden());
    QCOMPARE(f.pnlFiles->directory(), QDir(m_dir->path()).canonicalPath() + '/');
}

void TestMainWindow::maximisedWindowKeepsItsNormalPlace()
{
    const QRect normal(120, 90, 700, 500);
    for (int start = 0; start < 3; ++start) {
        MainWindow window(files(), {});
        if (start == 0)
            window.setGeometry(normal);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (start == 0)
            window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
        QCOMPARE(window.normalGeometry(), normal);
        QVERIFY(window.close());
    }
}

void TestMainWindow::applySettingsWritesEveryKey()
{
    MainWindow window(files(), {});
    QVERIFY(window.ApplySettings());
    IniFile ini(files().settingsFile());
    QVERIFY(ini.load());
    QCOMPARE(readSysOptions(ini), SysOptions());
    QCOMPARE(ini.toBytes().count("\r\n"), 23); // two section lines and twenty-one keys
}

void TestMainWindow::unwritableSettingsShowAnErrorAndKeepRunning()
{
    const QString settingsDir = m_dir->filePath("settings");
    QVERIFY(QDir().mkpath(settingsDir));
    const ProgramFiles files(settingsDir, QStringLiteral(VELMORA_SOURCE_DATA_DIR));
    MainWindow window(files, {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // A plain file where the settings folder was makes the settings file unwritable (permissions
    // would not stop a test running as root).
    QVERIFY(QDir(settingsDir).removeRecursively());
    QVERIFY(QFile(settingsDir).open(QIODevice::WriteOnly));
    ModalWatcher watcher;
    QVERIFY(!window.ApplySettings());
    QCOMPARE(watcher.text(), QStringLiteral("Unable to write to ") + files.settingsFile());
    QVERIFY(window.isVisible());

    QVERIFY(QFile::remove(settingsDir));
    QVERIFY(QDir().mkpath(settingsDir));
    QVERIFY(window.ApplySettings());
}

void TestMainWindow::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addRow("New Project") << "NewProject1"
                                 << "" << true;
    QTest::addRow("New starts disabled") << "New1"
                                         << "" << false;
    QTest::addRow("Format starts disabled") << "Format1"
                                            << "" << false;
    QTest::addRow("Undo") << "Undo1"
                          << "Alt+Backspace" << false;
    QTest::addRow("Redo") << "Redo1"
                          << "Shift+Alt+Backspace" << false;
    QTest::addRow("Select All") << "SelectAll1"
                                << "Ctrl+A" << false;
    QTest::addRow("Search") << "Search1"
                            << "Ctrl+F" << true;
    QTest::addRow("Replace") << "Replace1"
                             << "Ctrl+R" << true;
    QTest::addRow("Goto Line") << "GotoLine1"
                               << "Ctrl+G" << true;
    QTest::addRow("Run") << "Run1"
                         << "F9" << false;
    QTest::addRow("Preview") << "Preview1"
                             << "Ctrl+F9" << false;
    QTest::addRow("Language") << "Language1"
                              << "" << true;
    QTest::addRow("About") << "About1"
                           << "" << true;
}

void TestMainWindow::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, shortcut);
    QFETCH(bool, enabled);
    MainWindow window(files(), {});
    QAction *action = window.findChild<QAction *>(name);
    if (!action) {
        auto *menu = window.findChild<QMenu *>(name);
        QVERIFY2(menu, qPrintable(name));
        action = menu->menuAction();
    }
    QCOMPARE(action->shortcut(), QKeySequence(shortcut));
    QCOMPARE(action->isEnabled(), enabled);
}

void TestMainWindow::toolBars_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("buttons"); // "|" for a separator, "-" before a hidden button
    QTest::addRow("main") << "ToolBar1"
                          << "btnProjectFiles | btnNewProject btnOpenProject | btnNewPHP btnNewHTML btnNewJS | "
                             "btnSaveFile btnSaveAll | btnRun btnPreview | btnExit";
    QTest::addRow("project list")
        << "ToolBar3"
        << "btnAddFile btnRemoveFile btnProperties btnCodeExplorer btnFileUp btnFileDown -btnSort";
    QTest::addRow("editor") << "ToolBar2"
                            << "btnCut btnCopy btnPaste btnUndo btnRedo btnFind btnReplace btnInsert -btnHtmlTag "
                               "btnFunctionList btnClassList btnPrint Panel7 cbHighlighter";
}

void TestMainWindow::toolBars()
{
    QFETCH(QString, bar);
    QFETCH(QString, buttons);
    MainWindow window(files(), {});
    const auto *toolBar = window.findChild<QToolBar *>(bar);
    QStringList actual;
    for (QAction *action : toolBar->actions()) {
        QWidget *widget = toolBar->widgetForAction(action);
        if (action->isSeparator()) {
            actual.append(QStringLiteral("|"));
        } else if (action->objectName().isEmpty()) {
            // A widget in the bar: the files button, the highlighter box or its label.
            if (!widget->objectName().isEmpty())
                actual.append(widget->objectName());
        } else {
            actual.append((action->isVisible() ? QString() : QStringLiteral("-")) + action->objectName());
            QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
            QVERIFY2(!action->toolTip().isEmpty(), qPrintable(action->objectName()));
        }
    }
    QCOMPARE(actual.join(u' '), buttons);
}

void TestMainWindow::everyCommandPlaceIsOnTheWindow()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("laid out where it has no place")));
    MainWindow window(files(), {});
    QSet<QString> placed;
    for (int index = 0; index < CommandCount; ++index) {
        const CommandRow &row = commandRows()[index];
        QCOMPARE(int(row.command), index);
        for (const Slot slot : {Slot::Menu, Slot::Popup, Slot::Button}) {
            const char *name = row.place(slot).name;
            if (!name)
                continue;
            const QAction *action = window.commands().action(row.command, slot);
            QVERIFY2(action, name);
            const QMenu *menu = window.findChild<QMenu *>(QString::fromLatin1(name));
            QVERIFY2(window.findChild<QAction *>(QString::fromLatin1(name)) == action
                         || (menu && menu->menuAction() == action),
                     name);
            placed.insert(QString::fromLatin1(name));
        }
    }
    // The window's own menus hold the rows' items; every named action and submenu is a row's
    // (Qt's own helpers carry no names), but for the file browser's view styles, which are the
    // pane's own.
    const QSet<QString> menus{"File1", "Edit1",      "View1",    "Project1", "Tools1",
                              "Help1", "PopupMenu1", "PopupPHP", "mnuFiles"};
    // Besides them: the Insert button's copies of the context menu's PHP items, the tags of the
    // hidden Insert (HTML) menu, and the file browser pane's own actions.
    const QSet<QString> items{"Variable1", "Function1", "Class1", "BODY1", "IMG1", "P1", "TABLEY1", "TR1", "TD1"};
    const QList<QAction *> paneActions = window.frame().pnlFiles->findChildren<QAction *>();
    for (QAction *action : window.findChildren<QAction *>())
        QVERIFY2(action->objectName().isEmpty() || placed.contains(action->objectName())
                     || items.contains(action->objectName()) || paneActions.contains(action),
                 qPrintable(action->objectName()));
    for (const QMenu *menu : window.findChildren<QMenu *>())
        QVERIFY2(menu->objectName().isEmpty() || placed.contains(menu->objectName())
                     || menus.contains(menu->objectName()),
                 qPrintable(menu->objectName()));
}

void TestMainWindow::titlesGetNoApplicationName()
{
    describeApplication();
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("velmora"));
    // With no display name of its own, the desktop adds nothing to "Velmora PHP Editor - Site".
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

void TestMainWindow::viewTogglesPersist()
{
    {
        MainWindow window(files(), {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAction *browser = window.findChild<QAction *>(QStringLiteral("FileBrowser1"));
        QVERIFY(browser->isChecked());
        browser->trigger();
        QVERIFY(window.frame().pnlFiles->isHidden());
        QVERIFY(window.frame().pnlProjectFiles->isVisible());
        QVERIFY(window.close());
    }
    MainWindow window(files(), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.frame().pnlFiles->isHidden());
    QVERIFY(!window.findChild<QAction *>(QStringLiteral("FileBrowser1"))->isChecked());
    QVERIFY(window.findChild<QAction *>(QStringLiteral("StatusBar2"))->isChecked());
}

void TestMainWindow::hiddenPanesKeepTheirSizes()
{
    {
        MainWindow window(files(), {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MainFrame &frame = const_cast<MainFrame &>(window.frame());
        frame.setLeftPaneWidth(260);
        frame.setFileBrowserHeight(180);
        QCOMPARE(frame.leftPaneWidth(), 260);
        QCOMPARE(frame.fileBrowserHeight(), 180);
        window.findChild<QAction *>(QStringLiteral("FileBrowser1"))->trigger();
        window.findChild<QAction *>(QStringLiteral("LeftPane1"))->trigger();
        QVERIFY(frame.pnlProject->isHidden());
        QCOMPARE(frame.leftPaneWidth(), 260);
        QCOMPARE(frame.fileBrowserHeight(), 180);
        QVERIFY(window.close());
    }
    QSettings placement(files().placementFile(), QSettings::IniFormat);
    QCOMPARE(placement.value("TForm_Main/pnlProject.Width").toInt(), 260);
    QCOMPARE(placement.value("TForm_Main/pnlFiles.Height").toInt(), 180);

    MainWindow window(files(), {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.frame().pnlProject->isHidden());
    window.findChild<QAction *>(QStringLiteral("LeftPane1"))->trigger();
    QCOMPARE(window.frame().leftPaneWidth(), 260);
}

void TestMainWindow::fileBrowserDocksBelowTheProjectList()
{
    MainWindow window(files(), {});
    window.resize(785, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainFrame &f = window.frame();
    QAction *list = window.findChild<QAction *>(QStringLiteral("ProjectFileList1"));
    list->trigger();
    QVERIFY(f.pnlProjectFiles->isHidden());
    QTRY_COMPARE(f.pnlFiles->height(), f.pnlProject->height()); // the browser fills the pane

    list->trigger();
    QVERIFY(f.pnlProjectFiles->isVisible());
    QTRY_COMPARE(f.pnlProjectFiles->height(), 400);
    QVERIFY(f.pnlFiles->geometry().top() > f.pnlProjectFiles->geometry().bottom());

    // Hidden and shown again with the list hidden, the browser fills the pane once more.
    list->trigger();
    QAction *browser = window.findChild<QAction *>(QStringLiteral("FileBrowser1"));
    browser->trigger();
    browser->trigger();
    QTRY_COMPARE(f.pnlFiles->height(), f.pnlProject->height());
}

void TestMainWindow::missingColourFilesAreCreated()
{
    MainWindow window(files(), {});
    QFile php(files().phpColourFile());
    QVERIFY(php.open(QIODevice::ReadOnly));
    // Sections in attribute order, three keys each; the comment is teal and italic.
    QVERIFY(php.readAll().startsWith("[Comment]\r\nBackground=536870911\r\nForeground=8421376\r\nStyle=2\r\n"
                                     "[Identifier]\r\n"));

    IniFile html(files().htmlColourFile());
    QVERIFY(html.load());
    SynHTMLSyn fresh;
    QVERIFY(fresh.LoadColorsFromIni(html));
    for (int i = 0; i < fresh.AttriCount(); ++i) {
        const SynHighlighterAttributes *expected = window.highlighters().xhHTML.AttriAt(i);
        QCOMPARE(fresh.AttriAt(i)->Foreground(), expected->Foreground());
        QCOMPARE(fresh.AttriAt(i)->Style(), expected->Style());
    }
}

void TestMainWindow::colourFilesAreLoaded()
{
    QFile php(files().phpColourFile());
    QVERIFY(php.open(QIODevice::WriteOnly));
    php.write("[Comment]\r\nStyle=3\r\n[Variable]\r\nForeground=0xFF\r\n");
    php.close();
    MainWindow window(files(), {});
    const SynPHPSyn &xhPHP = window.highlighters().xhPHP;
    QCOMPARE(xhPHP.CommentAttri()->Style(), std::uint8_t(fsBold | fsItalic));
    QCOMPARE(xhPHP.CommentAttri()->Foreground(), SynColor(0x808000)); // as the window set it
    QCOMPARE(xhPHP.VariableAttri()->Foreground(), SynColor(0x0000FF));
    // An existing file is only read.
    QVERIFY(php.open(QIODevice::ReadOnly));
    QCOMPARE(php.readAll(), QByteArray("[Comment]\r\nStyle=3\r\n[Variable]\r\nForeground=0xFF\r\n"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_app_window.moc"
