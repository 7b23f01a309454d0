// Preview Current File and Run Project without a window: the address rules, the questions and
// the saving before a preview, and the external viewer.
#include "ControllerFixture.h"
#include "PhpServer.h"
#include "PreviewFlow.h"
#include "TestFiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Box = ScriptedPrompts::Box;

ProjectFile entry(const QString &path)
{
    ProjectFile file;
    file.FileName = path;
    file.Path = path.left(path.lastIndexOf(u'/') + 1);
    return file;
}

} // namespace

class TestPreviewFlow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void address_data();
    void address();
    void noServerUrlStopsThePreview();
    void savingBeforeThePreview_data();
    void savingBeforeThePreview();
    void runSavesEveryFile();
    void externalViewerGetsThePathAsOneArgument();
    void builtInServerServesTheProject();
    void builtInServerWithoutPhpIsReported();
    void missingViewerIsReported_data();
    void missingViewerIsReported();

private:
    QString path(const QString &name) const { return m_f->path(name); }
    // A project "Site" in the folder with two PHP files, the first one active and changed.
    void openSite(const QString &serverUrl);

    std::unique_ptr<ControllerFixture> m_f;
};

void TestPreviewFlow::init()
{
    m_f = std::make_unique<ControllerFixture>();
    QVERIFY(m_f->dir.isValid());
}

void TestPreviewFlow::openSite(const QString &serverUrl)
{
    writeAll(path("a.php"), "<?php echo 'a'; ?>\n");
    writeAll(path("b.php"), "<?php echo 'b'; ?>\n");
    writeAll(path("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=" + serverUrl.toUtf8()
                 + "\r\nLastFile=1\r\nProjectFile=a.php;PHP;1,1:1\r\nProjectFile=b.php;PHP;1,1:1\r\n");
    QVERIFY(m_f->projects->LoadProject(path("site.vlmp")));
    m_f->editor.text.prepend(QStringLiteral("// changed\r\n"));
    m_f->projects->editorChanged();
}

void TestPreviewFlow::address_data()
{
    QTest::addColumn<bool>("asFile");
    QTest::addColumn<bool>("asFileName");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("file"); // the active file's full path; empty for none
    QTest::addColumn<QString>("address");

    const QString s("http://localhost/shop/");
    QTest::addRow("file in the folder") << true << false << s << "/web/shop/index.php" << s + "index.php";
    QTest::addRow("file in a sub-folder") << true << false << s << "/web/shop/admin/login.php" << s + "admin/login.php";
    QTest::addRow("file outside the folder") << true << false << s << "/srv/lib/util.php" << s + "util.php";
    QTest::addRow("server URL kept as is") << true << false << "http://localhost/shop"
                                           << "/web/shop/index.php"
                                           << "http://localhost/shopindex.php";
    QTest::addRow("no file active") << true << false << s << "" << s;
    QTest::addRow("as file name") << true << true << ""
                                  << "/web/shop/admin/login.php"
                                  << "/web/shop/admin/login.php";
    QTest::addRow("as file name, no file active") << true << true << s << ""
                                                  << "/web/shop/";
    QTest::addRow("run") << false << false << s << "/web/shop/admin/login.php" << s;
    QTest::addRow("run with as file name") << false << true << ""
                                           << "/web/shop/index.php"
                                           << "";
}

void TestPreviewFlow::address()
{
    QFETCH(bool, asFile);
    QFETCH(bool, asFileName);
    QFETCH(QString, server);
    QFETCH(QString, file);
    QFETCH(QString, address);
    Project project;
    project.Name = QStringLiteral("Shop");
    project.Options = {QStringLiteral("/web/shop/"), server};
    const ProjectFile active = entry(file);
    QCOMPARE(previewAddress(asFile, asFileName, server, project, file.isEmpty() ? nullptr : &active), address);
}

void TestPreviewFlow::noServerUrlStopsThePreview()
{
    openSite(QString());
    PreviewFlow flow(*m_f->projects, m_f->options);
    QCOMPARE(flow.ShowPreview(true).show, PreviewStart::Nothing);
    QCOMPARE(m_f->prompts->texts(Box::Error), QStringList{"No ServerURL has been specified for this project!"});
    QCOMPARE(m_f->prompts->texts(Box::Question), QStringList());
    QVERIFY(!m_f->projects->project().Files[0].Saved);
}

void TestPreviewFlow::savingBeforeThePreview_data()
{
    QTest::addColumn<bool>("warn"); // WarnAboutSave
    QTest::addColumn<bool>("answer"); // the answer to "All files will be saved! Continue?"
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("previewed");
    QTest::addRow("warned, OK") << true << true << true << true;
    QTest::addRow("warned, Cancel") << true << false << true << false;
    QTest::addRow("not warned: saved at once") << false << true << false << true;
}

void TestPreviewFlow::savingBeforeThePreview()
{
    QFETCH(bool, warn);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, previewed);
    m_f->options.WarnAboutSave = warn;
    openSite(QStringLiteral("http://localhost/site/"));
    m_f->prompts->confirmations = {answer};
    PreviewFlow flow(*m_f->projects, m_f->options);
    const PreviewStart start = flow.ShowPreview(true);
    QCOMPARE(m_f->prompts->texts(Box::Question),
             asked ? QStringList{"All files will be saved! Continue?"} : QStringList());
    QCOMPARE(start.show, previewed ? PreviewStart::Pane : PreviewStart::Nothing);
    QCOMPARE(readAll(path("a.php")),
             previewed ? QByteArray("// changed\n<?php echo 'a'; ?>\n") : QByteArray("<?php echo 'a'; ?>\n"));
    if (previewed) {
        QCOMPARE(start.title, QStringLiteral("Preview - a.php"));
        QCOMPARE(start.address, QStringLiteral("http://localhost/site/a.php"));
    }

    if (previewed) {
        // Everything is saved now: the next preview asks nothing.
        m_f->prompts->messages.clear();
        QCOMPARE(flow.ShowPreview(true).show, PreviewStart::Pane);
        QCOMPARE(m_f->prompts->texts(Box::Question), QStringList());
    }
}

void TestPreviewFlow::runSavesEveryFile()
{
    m_f->options.WarnAboutSave = false;
    openSite(QStringLiteral("http://localhost/site/"));
    m_f->projects->focusRow(2);
    m_f->editor.text.prepend(QStringLiteral("// b\r\n"));
    m_f->projects->editorChanged();
    PreviewFlow flow(*m_f->projects, m_f->options);
    const PreviewStart start = flow.ShowPreview(false);
    QCOMPARE(start.show, PreviewStart::Pane);
    QCOMPARE(start.title, QStringLiteral("Preview - Site"));
    QCOMPARE(start.address, QStringLiteral("http://localhost/site/"));
    QVERIFY(m_f->projects->project().Files.AllFilesSaved());
    QVERIFY(readAll(path("a.php")).startsWith("// changed\n"));
    QVERIFY(readAll(path("b.php")).startsWith("// b\n"));
}

void TestPreviewFlow::externalViewerGetsThePathAsOneArgument()
{
    // A viewer that writes each argument it gets on a line of its own.
    const QString viewer = path("viewer.sh");
    const QString received = path("received.txt");
    writeAll(viewer,
             "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + received.toUtf8()
                 + ".part\"\n"
                   "mv \""
                 + received.toUtf8() + ".part\" \"" + received.toUtf8() + "\"\n");
    QVERIFY(QFile::setPermissions(viewer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QDir(m_f->dir.path()).mkpath(QStringLiteral("my site")));
    const QString page = path("my site/a page.php");
    writeAll(page, "<?php ?>\n");
    writeAll(path("my site/p.vlmp"),
             "Name=P\r\nDescription=\r\nServerURL=http://localhost/\r\nLastFile=1\r\n"
             "ProjectFile=a page.php;PHP;1,1:1\r\n");
    QVERIFY(m_f->projects->LoadProject(path("my site/p.vlmp")));
    m_f->options.ExternalViewer = true;
    m_f->options.ViewerName = viewer;
    PreviewFlow flow(*m_f->projects, m_f->options);
    const PreviewStart start = flow.ShowPreview(true);
    QCOMPARE(start.show, PreviewStart::ExternalViewer);
    QCOMPARE(start.address, page);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(received), 10000);
    QCOMPARE(readAll(received), page.toUtf8() + '\n');
    QCOMPARE(m_f->prompts->messages.size(), 0);
}

namespace {

// The page at url as PHP itself fetches it, so the test needs no network library.
QByteArray fetch(const QString &url)
{
    QProcess php;
    php.start(QStringLiteral("php"), {QStringLiteral("-r"), QStringLiteral("echo @file_get_contents($argv[1]);"), url});
    php.waitForFinished(10000);
    return php.readAllStandardOutput();
}

} // namespace

void TestPreviewFlow::builtInServerServesTheProject()
{
    writeAll(path("a.php"), "<?php echo 6 * 7; ?>\n");
    writeAll(path("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=a.php;PHP;1,1:1\r\n");
    QVERIFY(m_f->projects->LoadProject(path("site.vlmp")));
    m_f->options.BuiltInServer = true;
    PhpServer server;
    PreviewFlow flow(*m_f->projects, m_f->options, &server);
    const PreviewStart start = flow.ShowPreview(true);
    QCOMPARE(m_f->prompts->messages.size(), 0);
    QCOMPARE(start.show, PreviewStart::Pane);
    QVERIFY2(
        QRegularExpression(QStringLiteral("^http://127\\.0\\.0\\.1:\\d+/a\\.php$")).match(start.address).hasMatch(),
        qPrintable(start.address));
    QCOMPARE(fetch(start.address), QByteArray("42"));
    // One server for the project: the next preview goes to the same one; the project file is
    // left as it was.
    QCOMPARE(flow.ShowPreview(true).address, start.address);
    QVERIFY(m_f->projects->project().Options.ServerURL.isEmpty());
    server.stop();
    QCOMPARE(fetch(start.address), QByteArray());
}

void TestPreviewFlow::builtInServerWithoutPhpIsReported()
{
    openSite(QString());
    m_f->options.BuiltInServer = true;
    m_f->options.WarnAboutSave = false;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray("/nonexistent"));
    PhpServer server;
    PreviewFlow flow(*m_f->projects, m_f->options, &server);
    const PreviewStart start = flow.ShowPreview(true);
    qputenv("PATH", path);
    QCOMPARE(start.show, PreviewStart::Nothing);
    QCOMPARE(m_f->prompts->texts(Box::Error),
             QStringList{"PHP was not found. Install the php-cli package to preview without a web server."});
}

void TestPreviewFlow::missingViewerIsReported_data()
{
    QTest::addColumn<QString>("viewer");
    QTest::addRow("no such file") << "/no/such/viewer";
    QTest::addRow("no such program on PATH") << "velmora-no-such-viewer";
    QTest::addRow("none set") << "";
}

void TestPreviewFlow::missingViewerIsReported()
{
    QFETCH(QString, viewer);
    openSite(QStringLiteral("http://localhost/site/"));
    m_f->options.ExternalViewer = true;
    m_f->options.ViewerName = viewer;
    m_f->options.WarnAboutSave = false;
    PreviewFlow flow(*m_f->projects, m_f->options, nullptr, [](const QString &, const QString &) { return true; });
    QCOMPARE(flow.ShowPreview(true).show, PreviewStart::Nothing);
    QCOMPARE(m_f->prompts->texts(Box::Error), QStringList{"External Viewer could not be found!"});
    // A program named without a folder is looked for on PATH, as Linux users write "firefox".
    QCOMPARE(findViewer(QStringLiteral("sh")), QStandardPaths::findExecutable(QStringLiteral("sh")));
    QVERIFY(!findViewer(QStringLiteral("sh")).isEmpty());
}

QTEST_GUILESS_MAIN(TestPreviewFlow)
#include "tst_preview_flow.moc"
