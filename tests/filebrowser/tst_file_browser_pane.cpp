// The file browser pane in the main window: double-click and Enter on a project file, a file and
// a folder, the view styles, the keys and the context menu.
#include "FileBrowserCommands.h"
#include "FileBrowserPane.h"
#include "FileExplorer.h"
#include "MainWindow.h"
#include "ScriptedPrompts.h"
#include "ScriptedWindow.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

using Box = ScriptedPrompts::Box;

enum class Gesture { DoubleClick, Enter };

} // namespace

class TestFileBrowserPane : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openingEntries_data();
    void openingEntries();
    void folderOpensAndKeysGoUp();
    void upButtonAndDrives();
    void rememberedFolderAndMask();
    void viewStyles_data();
    void viewStyles();
    void maskBoxFiltersTheList();
    void contextMenuFitsTheEntry();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    FileBrowserPane &pane() const { return *m_window->frame().pnlFiles; }
    FileExplorer &explorer() const { return *pane().explorer(); }
    // Shows the folder and waits for its rows.
    void showFolder(const QString &folder);
    int rowOf(const QString &name) const;
    // Where the row is on screen, once the view has laid it out.
    QRect rectOf(int row) const;
    void act(Gesture gesture, int row);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestFileBrowserPane::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(path("settings")));
    QVERIFY(QDir().mkpath(path("site/inc")));
    writeAll(path("site/a.php"), "<?php echo 1; ?>\r\n");
    writeAll(path("site/b.css"), "p {}\r\n");
    writeAll(path("site/site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=" + path("site/a.php").toUtf8()
                 + ";PHP;1,1:1\r\n");
    writeAll(path("site/other.vlmp"), "Name=Other\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    m_window = showScriptedWindow(path("settings"), &m_prompts);
    QVERIFY(m_window);
    showFolder(path("site"));
}

void TestFileBrowserPane::cleanup()
{
    m_window.reset();
}

void TestFileBrowserPane::showFolder(const QString &folder)
{
    QSignalSpy filled(&explorer().model(), &ExplorerModel::filled);
    QVERIFY(explorer().model().setDirectory(folder));
    if (explorer().model().filling())
        QVERIFY(filled.wait(5000));
}

int TestFileBrowserPane::rowOf(const QString &name) const
{
    for (int row = 0; row < explorer().model().rowCount(); ++row)
        if (explorer().model().entry(row).name == name)
            return row;
    return -1;
}

QRect TestFileBrowserPane::rectOf(int row) const
{
    QAbstractItemView *view = explorer().view();
    const QModelIndex index = explorer().model().index(row, 0);
    view->scrollTo(index);
    [&] { QTRY_VERIFY(!view->visualRect(index).isEmpty()); }();
    return view->visualRect(index);
}

void TestFileBrowserPane::act(Gesture gesture, int row)
{
    QAbstractItemView *view = explorer().view();
    const QModelIndex index = explorer().model().index(row, 0);
    if (gesture == Gesture::DoubleClick) {
        const QPoint at = rectOf(row).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    } else {
        view->setFocus();
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(view, Qt::Key_Return);
    }
}

void TestFileBrowserPane::openingEntries_data()
{
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("project");
    QTest::addColumn<int>("files");
    QTest::addColumn<QStringList>("errors");
    for (const auto &[gesture, name] :
         {std::pair(Gesture::DoubleClick, "double-click"), std::pair(Gesture::Enter, "Enter")}) {
        QTest::addRow("%s: a file is added", name) << gesture << "b.css"
                                                   << "Site" << 2 << QStringList();
        QTest::addRow("%s: a file already there is refused", name)
            << gesture << "a.php"
            << "Site" << 1 << QStringList{"This project already contains a file named \"a.php\"!"};
        QTest::addRow("%s: a project file opens", name) << gesture << "other.vlmp"
                                                        << "Other" << 0 << QStringList();
    }
}

void TestFileBrowserPane::openingEntries()
{
    QFETCH(Gesture, gesture);
    QFETCH(QString, entry);
    QFETCH(QString, project);
    QFETCH(int, files);
    QFETCH(QStringList, errors);
    QVERIFY(m_window->projects().LoadProject(path("site/site.vlmp")));
    act(gesture, rowOf(entry));
    QCOMPARE(m_window->projects().project().Name, project);
    QCOMPARE(m_window->projects().project().Files.size(), files);
    QCOMPARE(m_prompts->texts(Box::Error), errors);
    QCOMPARE(explorer().SelectedPath(), path("site/" + entry));
    QCOMPARE(explorer().directory(), path("site/"));
}

void TestFileBrowserPane::folderOpensAndKeysGoUp()
{
    act(Gesture::DoubleClick, rowOf("inc"));
    QCOMPARE(explorer().directory(), path("site/inc/"));
    QCOMPARE(pane().findChild<QStatusBar *>("sbDirectory")->currentMessage(), path("site/inc/"));
    QTRY_VERIFY(!explorer().model().filling());
    act(Gesture::Enter, rowOf(".."));
    QCOMPARE(explorer().directory(), path("site/"));
    QTest::keyClick(explorer().view(), Qt::Key_Backspace);
    QCOMPARE(explorer().directory(), m_dir->path() + u'/');
    QTest::keyClick(explorer().view(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(explorer().directory(), QDir(m_dir->path() + "/..").absolutePath() + u'/');
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestFileBrowserPane::upButtonAndDrives()
{
    pane().findChild<QToolButton *>("sbUp")->click();
    QCOMPARE(explorer().directory(), m_dir->path() + u'/');
    showFolder(QStringLiteral("/"));
    QTest::keyClick(explorer().view(), Qt::Key_Backspace);
    QCOMPARE(explorer().directory(), QStringLiteral("Drives"));
    QCOMPARE(pane().findChild<QStatusBar *>("sbDirectory")->currentMessage(), QStringLiteral("Drives"));
    QVERIFY(!pane().findChild<QToolButton *>("sbUp")->isEnabled());
    QTRY_VERIFY(!explorer().model().filling());
    QCOMPARE(explorer().model().entry(1).path, QDir::homePath() + u'/');
    act(Gesture::DoubleClick, 1);
    QCOMPARE(explorer().directory(), QDir::homePath() + u'/');
    QVERIFY(pane().findChild<QToolButton *>("sbUp")->isEnabled());
    // The drive box shows the drive of the folder, and choosing another goes to its root.
    auto *drives = pane().findChild<QComboBox *>("DriveComboBox1");
    QCOMPARE(drives->currentIndex(), 1);
    drives->setCurrentIndex(0);
    emit drives->activated(0);
    QCOMPARE(explorer().directory(), QStringLiteral("/"));
    QVERIFY(m_prompts->messages.isEmpty());
}

void TestFileBrowserPane::rememberedFolderAndMask()
{
    showFolder(path("site/inc"));
    pane().setMask(QStringLiteral("*.php"));
    QVERIFY(m_window->close());
    m_window.reset();
    QVERIFY(QDir(path("site/inc")).removeRecursively());
    m_window = std::make_unique<MainWindow>(ProgramFiles(path("settings"), QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                            QStringList());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(pane().mask(), QStringLiteral("*.php"));
    QCOMPARE(explorer().directory(), QDir::homePath() + u'/'); // the folder has gone: ignored
    showFolder(path("site"));
    QTRY_COMPARE(explorer().model().rowCount(), 2); // "..", a.php
    QCOMPARE(explorer().model().entry(1).name, QStringLiteral("a.php"));
}

void TestFileBrowserPane::viewStyles_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("style");
    QTest::newRow("large icons") << "pmLarge" << int(FileExplorer::ViewStyle::LargeIcons);
    QTest::newRow("small icons") << "pmSmall" << int(FileExplorer::ViewStyle::SmallIcons);
    QTest::newRow("list") << "pmList" << int(FileExplorer::ViewStyle::List);
    QTest::newRow("detail") << "pmDetail" << int(FileExplorer::ViewStyle::Detail);
}

void TestFileBrowserPane::viewStyles()
{
    QFETCH(QString, item);
    QFETCH(int, style);
    QCOMPARE(pane().findChild<QAction *>("pmList")->isChecked(), true); // as built
    auto *action = pane().findChild<QAction *>(item);
    action->trigger();
    QVERIFY(action->isChecked());
    for (const char *other : {"pmLarge", "pmSmall", "pmList", "pmDetail"})
        QCOMPARE(pane().findChild<QAction *>(other)->isChecked(), item == other);
    QCOMPARE(int(explorer().viewStyle()), style);
    QAbstractItemView *view = explorer().view();
    QTRY_VERIFY(view->isVisible());
    if (auto *details = qobject_cast<QTreeView *>(view)) {
        QCOMPARE(style, int(FileExplorer::ViewStyle::Detail));
        const QList<int> widths{140, 70, 150, 120, 60};
        for (int column = 0; column < widths.size(); ++column)
            QCOMPARE(details->columnWidth(column), widths[column]);
    } else {
        auto *list = qobject_cast<QListView *>(view);
        QVERIFY(list);
        QCOMPARE(list->viewMode(),
                 style == int(FileExplorer::ViewStyle::LargeIcons) ? QListView::IconMode : QListView::ListMode);
        QCOMPARE(list->flow(),
                 style == int(FileExplorer::ViewStyle::List) ? QListView::TopToBottom : QListView::LeftToRight);
        QCOMPARE(list->iconSize().width(), style == int(FileExplorer::ViewStyle::LargeIcons) ? 32 : 16);
    }
    // Every style opens entries the same way.
    act(Gesture::DoubleClick, rowOf("inc"));
    QCOMPARE(explorer().directory(), path("site/inc/"));
}

void TestFileBrowserPane::maskBoxFiltersTheList()
{
    auto *mask = pane().findChild<QComboBox *>("cbMask");
    QCOMPARE(mask->count(), 9);
    QCOMPARE(mask->itemText(8), QString());
    QSignalSpy filled(&explorer().model(), &ExplorerModel::filled);
    mask->setCurrentIndex(mask->findText("*.vlmp"));
    QVERIFY(filled.wait(5000));
    QCOMPARE(explorer().model().rowCount(), 4); // "..", inc and the two projects
    QCOMPARE(explorer().SelectedCount(), 4);
    explorer().view()->selectionModel()->select(explorer().model().index(rowOf("site.vlmp"), 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(explorer().SelectedCount(), 1);
    QStringList names;
    QCOMPARE(explorer().SelectedFilenames(&names), path("site/site.vlmp"));
    QCOMPARE(names, QStringList{"site.vlmp"});
}

void TestFileBrowserPane::contextMenuFitsTheEntry()
{
    QStringList shown;
    QTimer::singleShot(0, [&shown] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions())
                shown.append(action->objectName() + (action->isEnabled() ? "" : "(off)"));
            menu->close();
        }
    });
    QAbstractItemView *view = explorer().view();
    emit view->customContextMenuRequested(rectOf(rowOf("b.css")).center());
    QCOMPARE(shown,
             (QStringList{"pmOpen", "pmOpenFolder", "pmCopyPath", "pmAddToProject(off)", "pmRename", "pmDelete"}));
    QCOMPARE(explorer().SelectedPath(), path("site/b.css"));
    QCOMPARE(view->selectionModel()->selectedRows().value(0).row(), rowOf("b.css"));
}

QTEST_MAIN(TestFileBrowserPane)
#include "tst_file_browser_pane.moc"
