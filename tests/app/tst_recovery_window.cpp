// A real run of the editor killed with SIGKILL after an edit, and the next start: its work comes
// back byte for byte, or is discarded for good.
#include "DiskFiles.h"
#include "EditorModel.h"
#include "EditorWidget.h"
#include "JournalFile.h"
#include "MainWindow.h"
#include "RecoveryDialog.h"
#include "RecoveryJournal.h"
#include "ScriptedPrompts.h"
#include "TestFiles.h"
#include "WorkSafety.h"

#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestRecoveryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void killedRunIsRestored_data();
    void killedRunIsRestored();
    void discardRemovesTheJournals();
    void aFileChangedOnDiskReloadsWithUndo();
    void theRecoveryDialogShowsEachText_data();
    void theRecoveryDialogShowsEachText();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString recoveryFolder() const { return path("settings/recovery/"); }
    // Runs the editor in a process of its own, types text, waits for its journal and kills it.
    void killAfterEdit(const QString &mode, const QString &text);
    // The next start, answering the recovery question with answer.
    void startAgain(RecoveryAnswer answer);
    QStringList journals() const { return QDir(recoveryFolder()).entryList({"*.vlmj"}, QDir::Files); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    ScriptedPrompts *m_prompts = nullptr;
};

void TestRecoveryWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(path("settings")));
    writeAll(path("a.php"), "<?php\n\n?>\n");
    writeAll(path("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=" + path("a.php").toUtf8()
                 + ";PHP;1,1:1\r\n");
}

void TestRecoveryWindow::cleanup()
{
    m_window.reset();
}

void TestRecoveryWindow::killAfterEdit(const QString &mode, const QString &text)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(RECOVERY_CHILD), {path("settings"), path("site.vlmp"), mode, text, path("expected")});
    QVERIFY(child.waitForStarted());
    // The journal holds the whole edit once the child has said what a save would write.
    const auto journalled = [&] {
        if (readAll(path("expected")) == "<missing>")
            return false;
        const QList<FoundJournal> found = findJournals(recoveryFolder());
        return found.size() == 1 && found.first().readable && found.first().entry.text.contains(text);
    };
    QTRY_VERIFY_WITH_TIMEOUT(journalled() || child.state() == QProcess::NotRunning, 60000);
    QCOMPARE(child.state(), QProcess::Running);
    child.kill(); // SIGKILL: nothing of the program runs after it
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
}

void TestRecoveryWindow::startAgain(RecoveryAnswer answer)
{
    m_window = std::make_unique<MainWindow>(ProgramFiles(path("settings/"), QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                            QStringList{path("site.vlmp")});
    auto prompts = std::make_unique<ScriptedPrompts>();
    m_prompts = prompts.get();
    m_prompts->recoveryAnswer = answer;
    m_window->setPrompts(std::move(prompts));
    m_window->show();
    QCoreApplication::processEvents(); // the question comes once the window is up
    m_window->workSafety().journal().waitForWrites();
}

void TestRecoveryWindow::killedRunIsRestored_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("savedAs");
    QTest::addRow("edited file") << "edit"
                                 << "a.php";
    QTest::addRow("new file never saved") << "new"
                                          << "new1.php";
}

void TestRecoveryWindow::killedRunIsRestored()
{
    QFETCH(QString, mode);
    QFETCH(QString, savedAs);
    const QString typed = QStringLiteral("echo \"d\u00e9j\u00e0 vu\"; // kill -9");
    killAfterEdit(mode, typed);
    QCOMPARE(readAll(path("a.php")), QByteArray("<?php\n\n?>\n"));

    startAgain(RecoveryAnswer::Restore);
    QCOMPARE(m_prompts->recoveryRows.size(), 1);
    QCOMPARE(m_prompts->recoveryRows.first().size(), 1);
    QVERIFY(m_prompts->recoveryRows.first().first().name.startsWith(path(savedAs)));
    ProjectController &projects = m_window->projects();
    const ProjectFile *active = projects.activeEntry();
    QVERIFY(active);
    QCOMPARE(active->FileName, path(savedAs));
    QVERIFY(active->Modified && !active->Saved);
    // The old journal is gone; this run keeps the work in one of its own.
    QCOMPARE(journals().size(), 1);

    m_prompts->paths = {path(savedAs)}; // the new file's name, chosen when it is first saved
    projects.Save1Click();
    QCOMPARE(m_prompts->messages.size(), 1); // the recovery question only
    QCOMPARE(readAll(path(savedAs)), readAll(path("expected")));
    m_window->workSafety().journal().waitForWrites();
    QCOMPARE(journals(), QStringList());
}

void TestRecoveryWindow::discardRemovesTheJournals()
{
    killAfterEdit(QStringLiteral("edit"), QStringLiteral("lost on purpose"));
    startAgain(RecoveryAnswer::Discard);
    QCOMPARE(m_prompts->recoveryRows.size(), 1);
    QCOMPARE(journals(), QStringList());
    QCOMPARE(readAll(path("a.php")), QByteArray("<?php\n\n?>\n"));
    QVERIFY(m_window->projects().project().Files.AllFilesSaved());
    // Nothing is offered at the start after.
    m_window.reset();
    startAgain(RecoveryAnswer::Restore);
    QCOMPARE(m_prompts->recoveryRows.size(), 0);
}

void TestRecoveryWindow::aFileChangedOnDiskReloadsWithUndo()
{
    startAgain(RecoveryAnswer::Later);
    EditorModel *editor = m_window->editorModel();
    editor->SetCaretXY({1, 2});
    // Another program writes the file; the watch notices it without the window being activated.
    writeAll(path("a.php"), "<?php\necho 'theirs';\n?>\n");
    QTRY_COMPARE_WITH_TIMEOUT(editor->Text(), QStringLiteral("<?php\r\necho 'theirs';\r\n?>\r\n"), 10000);
    QCOMPARE(editor->CaretY(), 2);
    const ProjectFile *active = m_window->projects().activeEntry();
    QVERIFY(active->Saved && !active->Modified);
    QCOMPARE(m_prompts->messages.size(), 0);
    // The reload is one step of undo back to the text before it.
    editor->Undo();
    QCOMPARE(editor->Text(), QStringLiteral("<?php\r\n\r\n?>\r\n"));
    QVERIFY(m_window->projects().activeEntry()->Modified);
}

void TestRecoveryWindow::theRecoveryDialogShowsEachText_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<RecoveryAnswer>("answer");
    QTest::addRow("restore") << "btnRestore" << RecoveryAnswer::Restore;
    QTest::addRow("discard") << "btnDiscard" << RecoveryAnswer::Discard;
    QTest::addRow("later") << "btnLater" << RecoveryAnswer::Later;
}

void TestRecoveryWindow::theRecoveryDialogShowsEachText()
{
    QFETCH(QString, button);
    QFETCH(RecoveryAnswer, answer);
    RecoveryDialog dialog(QStringLiteral("Kept:"), {{"a.php", "first text"}, {"b.php", "second text"}});
    auto *files = dialog.findChild<QListWidget *>("lstRecovered");
    auto *shown = dialog.findChild<QPlainTextEdit *>("memRecovered");
    QVERIFY(files && shown && shown->isReadOnly());
    QCOMPARE(files->count(), 2);
    QCOMPARE(shown->toPlainText(), QStringLiteral("first text"));
    files->setCurrentRow(1);
    QCOMPARE(shown->toPlainText(), QStringLiteral("second text"));
    dialog.findChild<QPushButton *>(button)->click();
    QCOMPARE(dialog.answer(), answer);
}

QTEST_MAIN(TestRecoveryWindow)
#include "tst_recovery_window.moc"
