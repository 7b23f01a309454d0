// The preview pane with the real browser: Preview shows the page, Esc comes back to the file.
#include "EditorModel.h"
#include "EditorWidget.h"
#include "MainWindow.h"
#include "PreviewPane.h"
#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

namespace {

// The window on the project file in dir, with its settings in dir/settings and a script answering.
std::pair<std::unique_ptr<MainWindow>, ScriptedPrompts *> openWindow(const QTemporaryDir &dir, const QString &project)
{
    auto window =
        std::make_unique<MainWindow>(ProgramFiles(dir.filePath("settings"), QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                     QStringList{dir.filePath(project)});
    auto prompts = std::make_unique<ScriptedPrompts>();
    ScriptedPrompts *answers = prompts.get();
    window->setPrompts(std::move(prompts));
    window->show();
    return {std::move(window), answers};
}

} // namespace

class TestPreviewPane : public QObject
{
    Q_OBJECT

private slots:
    void previewShowsThePageAndEscComesBack();
    void builtInServerRunsTheDemo();
};

void TestPreviewPane::previewShowsThePageAndEscComesBack()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("settings")));
    writeAll(dir.filePath("settings/velmora.ini"), "[General]\r\nPreviewAsFileName=1\r\nWarnAboutSave=0\r\n");
    writeAll(dir.filePath("page.html"), "<html><head><title>Fresh today</title></head><body>bread</body></html>\n");
    writeAll(dir.filePath("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=page.html;HTML;3,1:1\r\n");
    auto [owned, answers] = openWindow(dir, QStringLiteral("site.vlmp"));
    MainWindow &window = *owned;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.projects().activeFile(), 0);
    EditorModel *editor = window.editorModel();
    editor->SetCaretXY({5, 1});

    window.run(Command::Preview);
    const MainFrame &frame = window.frame();
    QVERIFY(frame.pnlWork->isHidden());
    QVERIFY(!frame.pnlPreview->isHidden());
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Preview - page.html"));
    QCOMPARE(frame.statusText->text(), QStringLiteral("Previewing Project"));
    // The bar behind the browser buttons shows its picture: lighter at the left than the right.
    const QImage bar = window.findChild<QWidget *>(QStringLiteral("ControlBar1"))->grab().toImage();
    QVERIFY(bar.pixelColor(1, 1).lightness() > bar.pixelColor(bar.width() - 2, bar.height() - 2).lightness());
    QWebEngineView *browser = window.preview().browser();
    QVERIFY(browser);
    QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QStringLiteral("Fresh today"), 20000);
    const auto *address = window.findChild<QLineEdit *>(QStringLiteral("eAdresa"));
    QTRY_COMPARE_WITH_TIMEOUT(address->text(), QUrl::fromLocalFile(dir.filePath("page.html")).toString(), 5000);

    // Back on the first page.
    window.preview().btnBackClick();
    QCOMPARE(answers->texts(ScriptedPrompts::Box::Information), QStringList{"Can not go back!"});

    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!frame.pnlWork->isHidden());
    QVERIFY(frame.pnlPreview->isHidden());
    QCOMPARE(window.projects().activeFile(), 0);
    QCOMPARE(editor->CaretXY(), (BufferCoord{5, 1}));
    QVERIFY(answers->texts(ScriptedPrompts::Box::Error).isEmpty());
}

void TestPreviewPane::builtInServerRunsTheDemo()
{
    // The demo site as shipped, without a server URL of its own.
    QTemporaryDir dir;
    const QDir demo(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/../examples/demo"));
    for (const char *name :
         {"index.php", "contact.php", "inc/functions.inc", "inc/header.inc", "css/style.css", "js/site.js"}) {
        QVERIFY(QDir().mkpath(QFileInfo(dir.filePath(name)).path()));
        QVERIFY(QFile::copy(demo.filePath(name), dir.filePath(name)));
    }
    QByteArray project = readAll(demo.filePath("demo.vlmp"));
    project.replace("ServerURL=http://localhost/demo/", "ServerURL=");
    writeAll(dir.filePath("demo.vlmp"), project);
    QVERIFY(QDir().mkpath(dir.filePath("settings")));
    writeAll(dir.filePath("settings/velmora.ini"), "[General]\r\nBuiltInServer=1\r\n");

    auto [owned, answers] = openWindow(dir, QStringLiteral("demo.vlmp"));
    MainWindow &window = *owned;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.run(Command::Preview);
    QVERIFY2(answers->messages.isEmpty(), qPrintable(answers->messages.value(0).text));
    QWebEngineView *browser = window.preview().browser();
    QVERIFY(browser);
    // The title comes from PHP: the page ran.
    QTRY_COMPARE_WITH_TIMEOUT(browser->title(), QStringLiteral("Velmora Bakery"), 20000);
    const QString address = window.findChild<QLineEdit *>(QStringLiteral("eAdresa"))->text();
    QVERIFY2(address.startsWith(u"http://127.0.0.1:") && address.endsWith(u"/index.php"), qPrintable(address));

    // Closing the project stops its server.
    QTest::keyClick(&window, Qt::Key_Escape);
    answers->saveFiles = {{true, {false, false}}};
    window.projects().CloseProject1Click();
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), QUrl(address).port());
    QVERIFY(!probe.waitForConnected(2000));
}

int main(int argc, char **argv)
{
    // The browser shares its drawing context with the window; it must be said first.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestPreviewPane test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_preview_pane.moc"
