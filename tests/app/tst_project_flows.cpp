// The file and project flows without a window: a script answers the questions, a stand-in holds
// the editor's text, and the files on disk show what was saved.
#include "ControllerFixture.h"
#include "TestFiles.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Box = ScriptedPrompts::Box;

// The ways the open project is closed or replaced.
enum class Leave { Close, New, Open, Reopen, Quit };

} // namespace

class TestProjectFlows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void newFileThenSaveAllWritesFileAndProject();
    void leavingAProjectWithUnsavedWork_data();
    void leavingAProjectWithUnsavedWork();
    void historyEntriesReopenTheirProject_data();
    void historyEntriesReopenTheirProject();
    void aFailedSaveKeepsTheProjectOpen();
    void cancelledSaveProjectAsKeepsTheFileName();
    void switchingFilesKeepsEachText();
    void addingFiles_data();
    void addingFiles();
    void brokenAndIncompleteProjects();
    void removingAFileAsksFirst_data();
    void removingAFileAsksFirst();
    void saveProjectAsWantsTheFilesSavedFirst();
    void cancelledPropertiesLeaveTheProjectAlone();

private:
    QString path(const QString &name) const { return m_f->path(name); }
    // A saved project "Site" in the folder with one PHP file, opened.
    void openSite();
    void type(const QString &text);

    std::unique_ptr<ControllerFixture> m_f;
};

void TestProjectFlows::init()
{
    m_f = std::make_unique<ControllerFixture>();
    QVERIFY(m_f->dir.isValid());
}

void TestProjectFlows::openSite()
{
    writeAll(path("a.php"), "<?php echo 1; ?>\r\n");
    writeAll(path("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=" + path("a.php").toUtf8()
                 + ";PHP;1,1:1\r\n");
    QVERIFY(m_f->projects->LoadProject(path("site.vlmp")));
    QCOMPARE(m_f->projects->activeFile(), 0);
}

void TestProjectFlows::type(const QString &text)
{
    m_f->editor.text.prepend(text);
    m_f->projects->editorChanged();
}

void TestProjectFlows::newFileThenSaveAllWritesFileAndProject()
{
    m_f->prompts->propertiesPath = path("site");
    m_f->projects->NewProject1Click();
    QCOMPARE(m_f->projects->project().Options.Path, path("site/"));
    QVERIFY(QFileInfo(path("site")).isDir());
    m_f->projects->NewFile(NewFileKind::Php);
    QCOMPARE(m_f->projects->focusedRow(), 1);
    QVERIFY(m_f->editor.shown);
    QCOMPARE(m_f->editor.text, QStringLiteral("<?php\r\n\r\n?>"));
    type(QStringLiteral("// a\r\n"));
    QVERIFY(m_f->projects->project().Files[0].Modified && m_f->projects->project().Changed);

    m_f->prompts->paths = {path("site/page.php"), path("site/site.vlmp")};
    m_f->projects->btnSaveAllClick();
    QCOMPARE(m_f->prompts->messages.size(), 0);
    QCOMPARE(m_f->prompts->saveTitles, QStringList({"Save File new1.php", "Save Project \"Project 1\" As:"}));
    QCOMPARE(readAll(path("site/page.php")), QByteArray("// a\r\n<?php\r\n\r\n?>\r\n"));
    QCOMPARE(readAll(path("site/site.vlmp")),
             "Name=Project 1\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile="
                 + path("site/page.php").toUtf8() + ";PHP;0,0:0\r\n");
    QVERIFY(!m_f->projects->project().Changed);
    QVERIFY(m_f->projects->project().Files.AllFilesSaved());
}

void TestProjectFlows::leavingAProjectWithUnsavedWork_data()
{
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<bool>("projectSaved"); // Save on the project row first: only the file is unsaved
    QTest::addColumn<bool>("ok"); // the Save Files answer: OK or Cancel
    QTest::addColumn<bool>("marked"); // with OK: the rows stay marked, or None was pressed
    QTest::addColumn<QString>("nameAfter");
    QTest::addColumn<bool>("fileSaved");

    const struct {
        const char *name;
        Leave leave;
        const char *replacedBy;
    } ways[] = {{"close", Leave::Close, ""},
                {"new", Leave::New, "Project 1"},
                {"open", Leave::Open, "Other"},
                {"reopen", Leave::Reopen, "Other"},
                {"quit", Leave::Quit, ""}};
    for (const auto &way : ways) {
        for (const bool projectSaved : {false, true}) {
            const char *state = projectSaved ? "project saved" : "both changed";
            QTest::addRow("%s, %s, Cancel", way.name, state)
                << way.leave << projectSaved << false << false << "Site" << false;
            QTest::addRow("%s, %s, None then OK", way.name, state)
                << way.leave << projectSaved << true << false << way.replacedBy << false;
            QTest::addRow("%s, %s, OK", way.name, state)
                << way.leave << projectSaved << true << true << way.replacedBy << true;
        }
    }
}

void TestProjectFlows::leavingAProjectWithUnsavedWork()
{
    QFETCH(Leave, leave);
    QFETCH(bool, projectSaved);
    QFETCH(bool, ok);
    QFETCH(bool, marked);
    QFETCH(QString, nameAfter);
    QFETCH(bool, fileSaved);
    writeAll(path("other.vlmp"), "Name=Other\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    openSite();
    type(QStringLiteral("x"));
    const QByteArray onDisk = readAll(path("a.php"));
    if (projectSaved) {
        m_f->projects->focusRow(0);
        m_f->projects->Save1Click();
        QVERIFY(!m_f->projects->project().Changed);
    }

    m_f->prompts->saveFiles = {{ok, marked ? QList<bool>() : QList<bool>{false, false}}};
    m_f->prompts->cancelProperties = true;
    switch (leave) {
    case Leave::Close: m_f->projects->CloseProject1Click(); break;
    case Leave::New: m_f->projects->NewProject1Click(); break;
    case Leave::Open:
        m_f->prompts->paths = {path("other.vlmp")};
        m_f->projects->OpenProject1Click();
        break;
    case Leave::Reopen: m_f->projects->reopenProject(path("other.vlmp")); break;
    case Leave::Quit: QCOMPARE(m_f->projects->TryCloseProject(), nameAfter.isEmpty()); break;
    }
    QStringList rows{"a.php <" + path("a.php") + ">"};
    if (!projectSaved)
        rows.prepend("Site <" + path("site.vlmp") + ">");
    QCOMPARE(m_f->prompts->saveFilesRows, QList<QStringList>{rows});
    QCOMPARE(m_f->projects->project().Name, nameAfter);
    QCOMPARE(readAll(path("a.php")), fileSaved ? "x" + onDisk : onDisk);
    QCOMPARE(m_f->prompts->texts(Box::Error), QStringList());
}

void TestProjectFlows::historyEntriesReopenTheirProject_data()
{
    QTest::addColumn<QStringList>("history");
    QTest::addRow("two entries") << QStringList{"site.vlmp", "other.vlmp"};
    QTest::addRow("one entry") << QStringList{"site.vlmp"};
}

void TestProjectFlows::historyEntriesReopenTheirProject()
{
    QFETCH(QStringList, history);
    writeAll(path("site.vlmp"), "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    writeAll(path("other.vlmp"), "Name=Other\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    QStringList paths;
    for (auto name = history.crbegin(); name != history.crend(); ++name)
        m_f->history.add(path(*name));
    paths = m_f->history.paths();
    // The start reopens the newest entry, handing over the entry itself.
    QVERIFY(m_f->projects->LoadProject(m_f->history.paths().first()));
    QCOMPARE(m_f->projects->project().Name, QStringLiteral("Site"));
    QCOMPARE(m_f->history.paths(), paths);
}

void TestProjectFlows::aFailedSaveKeepsTheProjectOpen()
{
    m_f->prompts->propertiesPath = path("site");
    m_f->projects->NewProject1Click();
    m_f->projects->NewFile(NewFileKind::Html);
    type(QStringLiteral("x"));
    m_f->prompts->paths = {path("no/such/folder/page.html")};
    m_f->prompts->saveFiles = {{true, {false, true}}}; // only the file
    QVERIFY(!m_f->projects->TryCloseProject());
    QCOMPARE(m_f->projects->project().Name, QStringLiteral("Project 1"));
    QCOMPARE(m_f->prompts->texts(Box::Error).size(), 1);
    QVERIFY2(m_f->prompts->texts(Box::Error).value(0).startsWith(path("no/such/folder/page.html") + u':'),
             qPrintable(m_f->prompts->texts(Box::Error).value(0)));
    QVERIFY(m_f->projects->project().Files[0].Modified);
}

void TestProjectFlows::switchingFilesKeepsEachText()
{
    m_f->projects->NewProject1Click();
    m_f->projects->NewFile(NewFileKind::Php);
    type(QStringLiteral("a"));
    m_f->projects->NewFile(NewFileKind::Html);
    QCOMPARE(m_f->editor.text, QStringLiteral("<HTML>\r\n\r\n</HTML>"));
    // The active file's text is held once, by the editor.
    QVERIFY(m_f->projects->project().Files[1].Text.isEmpty());
    type(QStringLiteral("b"));
    m_f->projects->focusRow(1);
    QCOMPARE(m_f->editor.text, QStringLiteral("a<?php\r\n\r\n?>"));
    QCOMPARE(m_f->projects->project().Files[1].Text, QStringLiteral("b<HTML>\r\n\r\n</HTML>"));
    m_f->projects->focusRow(0);
    QVERIFY(!m_f->editor.shown);
    QCOMPARE(m_f->projects->activeFile(), -1);

    // While the preview is shown, rows are focused but nothing is activated.
    m_f->projects->setPreviewing(true);
    m_f->projects->focusRow(2);
    QCOMPARE(m_f->projects->focusedRow(), 2);
    QCOMPARE(m_f->projects->activeFile(), -1);
}

void TestProjectFlows::addingFiles_data()
{
    QTest::addColumn<QStringList>("chosen"); // the Add File answers, one per click
    QTest::addColumn<int>("files");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<bool>("changed");

    QTest::addRow("a file") << QStringList{"page.css"} << 1 << QStringList() << true;
    QTest::addRow("cancelled") << QStringList{""} << 0 << QStringList() << false;
    QTest::addRow("the same file twice") << QStringList{"page.css", "page.css"} << 1
                                         << QStringList{"This project already contains a file named \"%1\"!"} << true;
    QTest::addRow("names differing in case are two files")
        << QStringList{"page.css", "PAGE.css"} << 2 << QStringList() << true;
    QTest::addRow("a folder") << QStringList{"sub"} << 0 << QStringList{"%1: Not a regular file"} << false;
}

void TestProjectFlows::addingFiles()
{
    QFETCH(QStringList, chosen);
    QFETCH(int, files);
    QFETCH(QStringList, errors);
    QFETCH(bool, changed);
    writeAll(path("page.css"), "p {}\n");
    writeAll(path("PAGE.css"), "P {}\n");
    QVERIFY(QDir(m_f->dir.path()).mkpath(QStringLiteral("sub")));
    m_f->projects->NewProject1Click();
    m_f->projects->project().Changed = false;
    for (const QString &name : chosen) {
        m_f->prompts->paths = {name.isEmpty() ? QString() : path(name)};
        m_f->projects->btnAddFileClick();
    }
    QCOMPARE(m_f->projects->project().Files.size(), files);
    QCOMPARE(m_f->projects->project().Changed, changed);
    for (QString &error : errors)
        error.replace(QStringLiteral("%1"), path(chosen.last()));
    QCOMPARE(m_f->prompts->texts(Box::Error), errors);
    if (files > 0)
        QCOMPARE(m_f->projects->focusedRow(), files);
}

void TestProjectFlows::brokenAndIncompleteProjects()
{
    openSite();
    writeAll(path("broken.vlmp"), "name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n");
    QVERIFY(!m_f->projects->LoadProject(path("broken.vlmp")));
    QCOMPARE(m_f->prompts->texts(Box::Error), QStringList{"Invalid project file!"});
    QCOMPARE(m_f->projects->project().Name, QStringLiteral("Site"));

    m_f->prompts->messages.clear();
    // However many listed files are gone, one box names them all.
    QByteArray gaps = "Name=Gaps\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n";
    QStringList gone;
    for (int i = 0; i < 3000; ++i) {
        gone.append(path(QStringLiteral("gone%1.php").arg(i)));
        gaps += "ProjectFile=" + gone.last().toUtf8() + ";PHP;1,1:1\r\n";
    }
    writeAll(path("gaps.vlmp"), gaps + "ProjectFile=" + path("a.php").toUtf8() + ";PHP;1,1:1\r\n");
    QSignalSpy history(m_f->projects.get(), &ProjectController::historyChanged);
    QVERIFY(m_f->projects->LoadProject(path("gaps.vlmp")));
    QCOMPARE(m_f->prompts->texts(Box::Error), QStringList{"Can't load project file: " + gone.join(u'\n')});
    QCOMPARE(m_f->projects->project().Files.size(), 1);
    QCOMPARE(m_f->projects->focusedRow(), 0);
    QCOMPARE(m_f->history.paths().value(0), path("gaps.vlmp"));
    QCOMPARE(history.count(), 1);
}

void TestProjectFlows::removingAFileAsksFirst_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("filesAfter");
    QTest::addRow("OK") << true << 1;
    QTest::addRow("Cancel") << false << 2;
}

void TestProjectFlows::removingAFileAsksFirst()
{
    QFETCH(bool, answer);
    QFETCH(int, filesAfter);
    m_f->projects->NewProject1Click();
    m_f->projects->NewFile(NewFileKind::Php);
    m_f->projects->NewFile(NewFileKind::JavaScript);
    type(QStringLiteral("y"));
    m_f->prompts->confirmations = {answer};
    m_f->projects->btnRemoveFileClick();
    QCOMPARE(m_f->prompts->texts(Box::Question),
             QStringList{"Remove \"new1.js\" from Project (the file has been changed)?"});
    QCOMPARE(m_f->projects->project().Files.size(), filesAfter);
    QCOMPARE(m_f->projects->activeFile(), filesAfter - 1); // the last file is active
}

void TestProjectFlows::saveProjectAsWantsTheFilesSavedFirst()
{
    m_f->projects->NewProject1Click();
    m_f->projects->NewFile(NewFileKind::Php);
    type(QStringLiteral("z"));
    m_f->projects->SaveProjectAs1Click();
    QCOMPARE(m_f->prompts->messages.size(), 1);
    QCOMPARE(m_f->prompts->texts(Box::Information), QStringList{"Files are not saved. Save files first!"});
    QVERIFY(m_f->prompts->saveTitles.isEmpty());
}

void TestProjectFlows::cancelledSaveProjectAsKeepsTheFileName()
{
    m_f->prompts->propertiesPath = path("site");
    m_f->projects->NewProject1Click();
    m_f->projects->SaveProjectAs1Click(); // cancelled
    QCOMPARE(m_f->prompts->saveTitles, QStringList{"Save Project \"Project 1\" As:"});
    QCOMPARE(m_f->projects->project().FileName, QString());
    // So a later Save asks for the name again rather than writing a file without extension.
    m_f->prompts->paths = {path("site/shop")};
    m_f->projects->Save1Click();
    QCOMPARE(m_f->prompts->saveTitles.size(), 2);
    QCOMPARE(m_f->projects->project().FileName, QStringLiteral("shop.vlmp"));
    QVERIFY(readAll(path("site/shop.vlmp")).startsWith("Name=Project 1\r\n"));
    QVERIFY(!QFile::exists(path("site/Project 1")));
}

void TestProjectFlows::cancelledPropertiesLeaveTheProjectAlone()
{
    openSite();
    QSignalSpy refreshed(m_f->projects.get(), &ProjectController::stateChanged);
    m_f->prompts->cancelProperties = true;
    m_f->projects->ProjectProperties1Click();
    QVERIFY(!m_f->projects->project().Changed);
    QCOMPARE(refreshed.count(), 0);
}

QTEST_GUILESS_MAIN(TestProjectFlows)
#include "tst_project_flows.moc"
