// What the file browser does with an entry, without a window: the double-click on a project
// file, a file and a folder, and the context menu's actions, with a script answering.
#include "ByteNamedFolder.h"
#include "ControllerFixture.h"
#include "DiskFiles.h"
#include "FileBrowserFlow.h"
#include "TestFiles.h"

#include <QMimeData>
#include <QtTest>

namespace {

using Box = ScriptedPrompts::Box;

} // namespace

class TestFileBrowserFlow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void doubleClick_data();
    void doubleClick();
    void projectFileOpensAfterTheSaveQuestion();
    void nameThatIsNotUtf8IsAdded();
    void rename_data();
    void rename();
    void renamingAProjectFileIsRefused();
    void moveToTrash_data();
    void moveToTrash();
    void openGivesTheDesktopTheExactBytes();

private:
    QString path(const QString &name) const { return m_f->path(name); }
    // The project "Site" with a.php, opened.
    void openSite();

    std::unique_ptr<ControllerFixture> m_f;
    std::unique_ptr<FileBrowserFlow> m_flow;
    QList<QUrl> m_opened;
    bool m_desktopOpens = true;
};

void TestFileBrowserFlow::init()
{
    m_f = std::make_unique<ControllerFixture>();
    m_opened.clear();
    m_desktopOpens = true;
    m_flow = std::make_unique<FileBrowserFlow>(*m_f->projects, [this](const QUrl &url) {
        m_opened.append(url);
        return m_desktopOpens;
    });
    writeAll(path("a.php"), "<?php echo 1; ?>\r\n");
    writeAll(path("b.css"), "p {}\r\n");
    writeAll(path("other.VLMP"), "Name=Other\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    QVERIFY(QDir().mkpath(path("folder.vlmp")));
}

void TestFileBrowserFlow::openSite()
{
    writeAll(path("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=" + path("a.php").toUtf8()
                 + ";PHP;1,1:1\r\n");
    QVERIFY(m_f->projects->LoadProject(path("site.vlmp")));
}

void TestFileBrowserFlow::doubleClick_data()
{
    QTest::addColumn<bool>("projectOpen");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("project"); // the project open afterwards
    QTest::addColumn<int>("files"); // its files
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("a file is added") << true << "b.css"
                                     << "Site" << 2 << QStringList();
    QTest::newRow("a file already there is refused")
        << true << "a.php"
        << "Site" << 1 << QStringList{"This project already contains a file named \"a.php\"!"};
    QTest::newRow("a project file opens, in any case") << true << "other.VLMP"
                                                       << "Other" << 0 << QStringList();
    QTest::newRow("a folder is left to the list") << true << "folder.vlmp"
                                                  << "Site" << 1 << QStringList();
    QTest::newRow("no project: a file does nothing") << false << "b.css"
                                                     << "" << 0 << QStringList();
    QTest::newRow("no project: a project file opens") << false << "other.VLMP"
                                                      << "Other" << 0 << QStringList();
    QTest::newRow("a file gone since it was listed") << true << "gone.php"
                                                     << "Site" << 1 << QStringList{"<error>"};
}

void TestFileBrowserFlow::doubleClick()
{
    QFETCH(bool, projectOpen);
    QFETCH(QString, entry);
    QFETCH(QString, project);
    QFETCH(int, files);
    QFETCH(QStringList, errors);
    if (projectOpen)
        openSite();
    m_flow->MFileExplorerDblClick(path(entry));
    QCOMPARE(m_f->projects->project().Name, project);
    QCOMPARE(m_f->projects->project().Files.size(), files);
    const QStringList shown = m_f->prompts->texts(Box::Error);
    QCOMPARE(shown.size(), errors.size());
    if (!errors.isEmpty() && errors.first() != u"<error>")
        QCOMPARE(shown, errors);
}

void TestFileBrowserFlow::projectFileOpensAfterTheSaveQuestion()
{
    openSite();
    m_f->projects->project().Changed = true;
    m_f->prompts->saveFiles.push_back({false, {}});
    m_flow->MFileExplorerDblClick(path("other.VLMP"));
    QCOMPARE(m_f->projects->project().Name, QStringLiteral("Site")); // cancelled
    QCOMPARE(m_f->prompts->saveFilesRows.size(), 1);
    m_f->prompts->saveFiles.push_back({true, {false}});
    m_flow->MFileExplorerDblClick(path("other.VLMP"));
    QCOMPARE(m_f->projects->project().Name, QStringLiteral("Other"));
}

void TestFileBrowserFlow::nameThatIsNotUtf8IsAdded()
{
    openSite();
    ByteNamedFolder folder;
    QVERIFY(folder.write("caf\xe9.php", "<?php echo 2; ?>\r\n"));
    m_flow->MFileExplorerDblClick(folder.path("caf\xe9.php"));
    QVERIFY(m_f->prompts->messages.isEmpty());
    QCOMPARE(m_f->projects->project().Files.size(), 2);
    QCOMPARE(pathToBytes(m_f->projects->project().Files[1].FileName), folder.bytes("caf\xe9.php"));
    folder.removeAll();
}

void TestFileBrowserFlow::rename_data()
{
    QTest::addColumn<QString>("typed"); // a null string cancels
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<QString>("error");
    QTest::newRow("renamed") << "c.css" << true << "";
    QTest::newRow("cancelled") << QString() << false << "";
    QTest::newRow("unchanged") << "b.css" << false << "";
    QTest::newRow("never over another file") << "a.php" << false << "Cannot rename \"b.css\": File exists";
    QTest::newRow("no folders in a name") << "x/c.css" << false << "\"x/c.css\" is not a valid file name.";
    QTest::newRow("empty") << "" << false << "\"\" is not a valid file name.";
}

void TestFileBrowserFlow::rename()
{
    QFETCH(QString, typed);
    QFETCH(bool, renamed);
    QFETCH(QString, error);
    m_f->prompts->inputs.push_back(typed);
    QCOMPARE(m_flow->rename(path("b.css")), renamed);
    QCOMPARE(m_f->prompts->inputTexts, QStringList{"b.css"});
    QCOMPARE(m_f->prompts->texts(Box::Error), error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(isRegularFile(path("b.css")), !renamed);
    QCOMPARE(readAll(path("a.php")), QByteArray("<?php echo 1; ?>\r\n"));
    if (renamed)
        QCOMPARE(readAll(path(typed)), QByteArray("p {}\r\n"));
}

void TestFileBrowserFlow::renamingAProjectFileIsRefused()
{
    openSite();
    QVERIFY(!m_flow->rename(path("a.php")));
    QVERIFY(!m_flow->moveToTrash(m_f->dir.path() + u'/'));
    QCOMPARE(m_f->prompts->texts(Box::Error).size(), 2);
    QVERIFY(m_f->prompts->inputTitles.isEmpty());
    QVERIFY(isRegularFile(path("a.php")));
}

void TestFileBrowserFlow::moveToTrash_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void TestFileBrowserFlow::moveToTrash()
{
    QFETCH(bool, confirmed);
    // The trash of a test's own home, never the user's.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    m_f->prompts->confirmations.push_back(confirmed);
    QCOMPARE(m_flow->moveToTrash(path("b.css")), confirmed);
    QCOMPARE(m_f->prompts->texts(Box::Question), QStringList{"Move \"b.css\" to the trash?"});
    QCOMPARE(isRegularFile(path("b.css")), !confirmed);

    // A name that is not UTF-8 is never handed to Qt's file classes, which would reach another
    // file; it is refused and stays.
    ByteNamedFolder folder;
    QVERIFY(folder.write("x\xff.php"));
    QVERIFY(folder.write("x?.php"));
    m_f->prompts->confirmations.push_back(true);
    QVERIFY(!m_flow->moveToTrash(folder.path("x\xff.php")));
    QVERIFY(isRegularFile(folder.path("x\xff.php")));
    QVERIFY(isRegularFile(folder.path("x?.php")));
    QVERIFY(m_f->prompts->texts(Box::Error).last().contains(u"not valid UTF-8"));
    qunsetenv("XDG_DATA_HOME");
}

void TestFileBrowserFlow::openGivesTheDesktopTheExactBytes()
{
    const QString foreign = pathFromBytes("/srv/caf\xe9 1.php");
    m_flow->open(foreign);
    m_flow->openContainingFolder(foreign);
    QCOMPARE(m_opened.size(), 2);
    QCOMPARE(m_opened[0].toEncoded(), QByteArray("file:///srv/caf%E9%201.php"));
    QCOMPARE(localPathOf(m_opened[0]), foreign);
    QCOMPARE(m_opened[1].toEncoded(), QByteArray("file:///srv/"));
    std::unique_ptr<QMimeData> data(FileBrowserFlow::pathData(pathFromBytes("/srv/site/")));
    QCOMPARE(data->text(), QStringLiteral("/srv/site"));
    QVERIFY(m_f->prompts->messages.isEmpty());
    m_desktopOpens = false;
    m_flow->open(QStringLiteral("/srv/a.php"));
    QCOMPARE(m_f->prompts->texts(Box::Error), QStringList{"No application could open \"a.php\"."});
}

QTEST_GUILESS_MAIN(TestFileBrowserFlow)
#include "tst_file_browser_flow.moc"
