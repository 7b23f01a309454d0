// Unsaved work kept in journals and offered back, files changed outside the program, and saves
// that fail: the flows without a window, on real files.
#include "ControllerFixture.h"
#include "FileNames.h"
#include "JournalFile.h"
#include "NativePath.h"
#include "RecoveryFlow.h"
#include "RecoveryJournal.h"
#include "TestFiles.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace {

using Box = ScriptedPrompts::Box;

JournalEntry sampleEntry()
{
    JournalEntry entry;
    entry.projectFile = QStringLiteral("/srv/site/site.vlmp");
    entry.projectName = QStringLiteral("Site = 1");
    entry.projectFolder = QStringLiteral("/srv/site/");
    entry.fileName = QStringLiteral("/srv/site/index.php");
    entry.fileType = QStringLiteral("PHP");
    entry.caretX = 4;
    entry.caretY = 2;
    entry.process = 4242;
    entry.text = QStringLiteral("<?php\r\necho 1;\r\n");
    return entry;
}

std::vector<QString> linesOf(const QString &text)
{
    std::vector<QString> lines;
    for (const QString &line : text.split(QStringLiteral("\r\n")))
        lines.push_back(line);
    lines.pop_back(); // after the last line end
    return lines;
}

QStringList journalsIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.vlmj")}, QDir::Files);
}

// A file system of its own at path for the test's lifetime (mount needs the privilege).
struct Mounted {
    QString path;
    bool ok = false;
    Mounted(QString at, const char *options) : path(std::move(at))
    {
        QDir().mkpath(path);
        ok = ::mount("tmpfs", pathToBytes(path).constData(), "tmpfs", 0, options) == 0;
    }
    bool remountReadOnly()
    {
        return ::mount("tmpfs", pathToBytes(path).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~Mounted()
    {
        if (ok)
            ::umount(pathToBytes(path).constData());
    }
};

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void journalsReadBackWhatWasWritten_data();
    void journalsReadBackWhatWasWritten();
    void damagedJournalsAreRefused_data();
    void damagedJournalsAreRefused();
    void journalsFollowTheUnsavedFiles();
    void theRecoveryQuestion_data();
    void theRecoveryQuestion();
    void restoreOpensTheJournalsProject();
    void unreadableJournalsAreNamedAndKept();
    void unmodifiedFileReloadsQuietly();
    void modifiedFileAsks_data();
    void modifiedFileAsks();
    void deletedFileKeepsItsText();
    void savingOverAChangedFileAsks_data();
    void savingOverAChangedFileAsks();
    void failedSavesKeepTheWork_data();
    void failedSavesKeepTheWork();

private:
    QString path(const QString &name) const { return m_f->path(name); }
    QString journalFolder() const { return path("recovery/"); }
    // A saved project "Site" with a.php (and b.php when asked), a.php open.
    void openSite(bool twoFiles = false);
    void type(const QString &text);
    // Writes the due journals now and waits until they are on disk.
    void flushJournal();
    void checkSaveFailsCleanly(const QString &target);

    std::unique_ptr<ControllerFixture> m_f;
    std::unique_ptr<RecoveryJournal> m_journal;
};

void TestRecovery::init()
{
    m_journal.reset();
    m_f = std::make_unique<ControllerFixture>();
    QVERIFY(m_f->dir.isValid());
    m_journal = std::make_unique<RecoveryJournal>(journalFolder(), *m_f->projects, m_f->editor);
}

void TestRecovery::openSite(bool twoFiles)
{
    writeAll(path("a.php"), "<?php echo 1; ?>\n");
    writeAll(path("b.php"), "b\n");
    QByteArray project = "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile="
        + path("a.php").toUtf8() + ";PHP;1,1:1\r\n";
    if (twoFiles)
        project += "ProjectFile=" + path("b.php").toUtf8() + ";PHP;1,1:1\r\n";
    writeAll(path("site.vlmp"), project);
    QVERIFY(m_f->projects->LoadProject(path("site.vlmp")));
    QCOMPARE(m_f->projects->activeFile(), 0);
}

void TestRecovery::type(const QString &text)
{
    m_f->editor.text.prepend(text);
    m_f->projects->editorChanged();
    m_journal->textChanged();
}

void TestRecovery::flushJournal()
{
    m_journal->writeDue();
    m_journal->waitForWrites();
}

void TestRecovery::journalsReadBackWhatWasWritten_data()
{
    QTest::addColumn<JournalEntry>("entry");
    QTest::addRow("PHP file") << sampleEntry();
    JournalEntry empty = sampleEntry();
    empty.text.clear();
    empty.projectFile.clear();
    empty.projectName.clear();
    QTest::addRow("empty, project never saved") << empty;
    JournalEntry latin1 = sampleEntry();
    latin1.encoding = TextEncoding::Latin1;
    latin1.lineFormat = LineEnds::Unix;
    latin1.finalLineEnd = false;
    latin1.hasBom = true;
    latin1.isNew = true;
    latin1.text = QStringLiteral("caf\u00e9 \u20ac \U0001F600\r\n\r\n\r\n");
    QTest::addRow("flags, wide characters, empty lines") << latin1;
    JournalEntry foreign = sampleEntry();
    foreign.fileName = pathFromBytes("/srv/na\xefme\n=%.php");
    QTest::addRow("name that is not UTF-8, with a line end") << foreign;
}

void TestRecovery::journalsReadBackWhatWasWritten()
{
    QFETCH(JournalEntry, entry);
    JournalEntry read;
    QString error;
    QVERIFY2(decodeJournal(encodeJournal(entry, linesOf(entry.text)), &read, &error), qPrintable(error));
    QCOMPARE(read, entry);
}

void TestRecovery::damagedJournalsAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray whole = encodeJournal(sampleEntry(), linesOf(sampleEntry().text));
    QTest::addRow("cut off in the text") << whole.chopped(3) << "The journal is cut off";
    QTest::addRow("cut off in the header") << whole.left(60) << "The journal is cut off";
    QTest::addRow("longer than written") << whole + "x"
                                         << "The journal is cut off";
    QTest::addRow("another file") << QByteArray("<?php\n") << "Not a recovery journal";
    QTest::addRow("empty") << QByteArray() << "Not a recovery journal";
    QByteArray noName = whole;
    noName.replace("FileName=", "Name=");
    QTest::addRow("no file name") << noName << "The journal's header is damaged";
    QByteArray badLine = whole;
    badLine.replace("CaretX=4", "CaretX");
    QTest::addRow("line without a value") << badLine << "The journal's header is damaged";
}

void TestRecovery::damagedJournalsAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    JournalEntry read;
    QString error;
    QVERIFY(!decodeJournal(bytes, &read, &error));
    QCOMPARE(error, reason);
}

void TestRecovery::journalsFollowTheUnsavedFiles()
{
    openSite(true);
    flushJournal();
    QCOMPARE(journalsIn(journalFolder()), QStringList());

    type(QStringLiteral("// edited\r\n"));
    flushJournal();
    QStringList journals = journalsIn(journalFolder());
    QCOMPARE(journals.size(), 1);
    JournalEntry entry;
    QString error;
    QVERIFY(decodeJournal(readAll(journalFolder() + journals.first()), &entry, &error));
    QCOMPARE(entry.text, QStringLiteral("// edited\r\n<?php echo 1; ?>\r\n"));
    QCOMPARE(entry.fileName, path("a.php"));
    QCOMPARE(entry.projectFile, path("site.vlmp"));

    // A file never saved is journalled as soon as it is there; another file taking the editor
    // keeps both journals.
    m_f->projects->NewFile(NewFileKind::Html);
    flushJournal();
    QCOMPARE(journalsIn(journalFolder()).size(), 2);

    // Saved: its journal goes at once.
    m_f->projects->focusRow(1);
    m_f->projects->Save1Click();
    m_journal->waitForWrites();
    QCOMPARE(journalsIn(journalFolder()).size(), 1);

    // Closed without saving: the rest goes too.
    m_f->prompts->saveFiles = {{true, {false, false}}};
    m_f->projects->CloseProject1Click();
    m_journal->waitForWrites();
    QVERIFY(!m_f->projects->isOpen());
    QCOMPARE(journalsIn(journalFolder()), QStringList());
}

void TestRecovery::theRecoveryQuestion_data()
{
    QTest::addColumn<RecoveryAnswer>("answer");
    QTest::addColumn<int>("journalsLeft");
    QTest::addColumn<bool>("restored");
    QTest::addRow("later") << RecoveryAnswer::Later << 2 << false;
    QTest::addRow("discard") << RecoveryAnswer::Discard << 0 << false;
    // The restored work is in this run's journals, the old ones are gone.
    QTest::addRow("restore") << RecoveryAnswer::Restore << 2 << true;
}

void TestRecovery::theRecoveryQuestion()
{
    QFETCH(RecoveryAnswer, answer);
    QFETCH(int, journalsLeft);
    QFETCH(bool, restored);
    openSite(true);
    // What an earlier run left: a.php edited, a new file never saved.
    JournalEntry edited = sampleEntry();
    edited.projectFile = path("site.vlmp");
    edited.fileName = path("a.php");
    edited.text = QStringLiteral("kept\r\n");
    edited.lineFormat = LineEnds::Unix;
    JournalEntry fresh = edited;
    fresh.fileName = path("new1.php");
    fresh.text = QStringLiteral("<?php\r\nnew();\r\n?>\r\n");
    fresh.isNew = true;
    QDir().mkpath(journalFolder());
    writeAll(journalFolder() + "1-1-1.vlmj", encodeJournal(edited, linesOf(edited.text)));
    writeAll(journalFolder() + "1-1-2.vlmj", encodeJournal(fresh, linesOf(fresh.text)));

    m_f->prompts->recoveryAnswer = answer;
    RecoveryFlow(*m_f->projects, *m_journal).offerRecovery();
    m_journal->waitForWrites();
    QCOMPARE(m_f->prompts->recoveryRows.size(), 1);
    const QList<RecoveryRow> rows = m_f->prompts->recoveryRows.first();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].text + rows[1].text, edited.text + fresh.text);
    QVERIFY(rows[0].name.startsWith(path("a.php")) || rows[1].name.startsWith(path("a.php")));

    const QStringList left = journalsIn(journalFolder());
    QCOMPARE(left.size(), journalsLeft);
    QCOMPARE(left.contains("1-1-1.vlmj"), answer == RecoveryAnswer::Later);
    const FileTable &files = m_f->projects->project().Files;
    QCOMPARE(files.size(), restored ? 3 : 2);
    if (!restored) {
        QVERIFY(files.AllFilesSaved());
        return;
    }
    m_f->projects->StoreEditorState();
    QCOMPARE(files[0].Text, edited.text);
    QVERIFY(files[0].Modified && !files[0].Saved);
    QCOMPARE(files[0].LineFormat, LineEnds::Unix);
    QCOMPARE(files[2].FileName, path("new1.php"));
    QCOMPARE(files[2].Text, fresh.text);
    QVERIFY(files[2].Modified && !files[2].Saved);
    // Saved, the file has the journal's bytes in its own line format.
    m_f->projects->focusRow(1);
    m_f->projects->Save1Click();
    QCOMPARE(readAll(path("a.php")), QByteArray("kept\n"));
}

void TestRecovery::restoreOpensTheJournalsProject()
{
    openSite();
    writeAll(path("other.php"), "other\n");
    writeAll(path("other.vlmp"),
             "Name=Other\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=" + path("other.php").toUtf8()
                 + ";PHP;1,1:1\r\n");
    JournalEntry entry = sampleEntry();
    entry.projectFile = path("other.vlmp");
    entry.fileName = path("other.php");
    entry.text = QStringLiteral("changed\r\n");
    QDir().mkpath(journalFolder());
    writeAll(journalFolder() + "1-1-1.vlmj", encodeJournal(entry, linesOf(entry.text)));
    m_f->prompts->recoveryAnswer = RecoveryAnswer::Restore;
    RecoveryFlow(*m_f->projects, *m_journal).offerRecovery();
    QCOMPARE(m_f->projects->project().Name, QStringLiteral("Other"));
    QCOMPARE(m_f->projects->activeFile(), 0);
    QCOMPARE(m_f->editor.text, QStringLiteral("changed\r\n"));
    QVERIFY(m_f->projects->project().Files[0].Modified);
}

void TestRecovery::unreadableJournalsAreNamedAndKept()
{
    QDir().mkpath(journalFolder());
    const QByteArray cut = encodeJournal(sampleEntry(), linesOf(sampleEntry().text)).chopped(1);
    writeAll(journalFolder() + "1-1-1.vlmj", cut);
    for (const RecoveryAnswer answer : {RecoveryAnswer::Restore, RecoveryAnswer::Discard}) {
        m_f->prompts->recoveryAnswer = answer;
        RecoveryFlow(*m_f->projects, *m_journal).offerRecovery();
        m_journal->waitForWrites();
    }
    // Nothing readable: no question, an error naming the journal, each time.
    QCOMPARE(m_f->prompts->recoveryRows.size(), 0);
    const QString named = journalFolder() + "1-1-1.vlmj: The journal is cut off";
    QCOMPARE(m_f->prompts->texts(Box::Error).size(), 2);
    QVERIFY(m_f->prompts->texts(Box::Error).first().contains(named));
    QCOMPARE(readAll(journalFolder() + "1-1-1.vlmj"), cut);
}

void TestRecovery::unmodifiedFileReloadsQuietly()
{
    openSite(true);
    writeAll(path("a.php"), "changed outside\n");
    writeAll(path("b.php"), "b changed\n");
    m_f->projects->checkDiskChanges();
    QCOMPARE(m_f->prompts->messages.size(), 0);
    QCOMPARE(m_f->editor.text, QStringLiteral("changed outside\r\n"));
    m_f->projects->focusRow(2);
    QCOMPARE(m_f->editor.text, QStringLiteral("b changed\r\n"));
    const ProjectFile &a = m_f->projects->project().Files[0];
    QVERIFY(a.Saved && !a.Modified);
    // Looked at again, nothing more happens.
    m_f->projects->checkDiskChanges();
    QCOMPARE(m_f->prompts->messages.size(), 0);
}

void TestRecovery::modifiedFileAsks_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<bool>("modifiedAfter");
    QTest::addRow("keep mine") << 0 << "mine\r\n<?php echo 1; ?>\r\n" << true;
    QTest::addRow("reload") << 1 << "theirs\r\n" << false;
    QTest::addRow("box closed") << -1 << "mine\r\n<?php echo 1; ?>\r\n" << true;
}

void TestRecovery::modifiedFileAsks()
{
    QFETCH(int, button);
    QFETCH(QString, textAfter);
    QFETCH(bool, modifiedAfter);
    openSite();
    type(QStringLiteral("mine\r\n"));
    writeAll(path("a.php"), "theirs\n");
    m_f->prompts->choices = {button};
    m_f->projects->checkDiskChanges();
    QCOMPARE(m_f->prompts->texts(Box::Question).size(), 1);
    QVERIFY(m_f->prompts->texts(Box::Question).first().startsWith(path("a.php") + " was changed outside"));
    QCOMPARE(m_f->editor.text, textAfter);
    QCOMPARE(m_f->projects->project().Files[0].Modified, modifiedAfter);
    // Asked once about one change.
    m_f->projects->checkDiskChanges();
    QCOMPARE(m_f->prompts->texts(Box::Question).size(), 1);
}

void TestRecovery::deletedFileKeepsItsText()
{
    openSite();
    QVERIFY(QFile::remove(path("a.php")));
    m_f->projects->checkDiskChanges();
    QCOMPARE(m_f->prompts->texts(Box::Information).size(), 1);
    QVERIFY(m_f->prompts->texts(Box::Information).first().startsWith(path("a.php") + " was deleted"));
    QCOMPARE(m_f->editor.text, QStringLiteral("<?php echo 1; ?>\r\n"));
    const ProjectFile &a = m_f->projects->project().Files[0];
    QVERIFY(a.Modified && !a.Saved);
    // Now unsaved, it is journalled, and saving writes it back.
    flushJournal();
    QCOMPARE(journalsIn(journalFolder()).size(), 1);
    m_f->prompts->paths = {path("a.php")}; // its name offered in the chooser
    m_f->projects->Save1Click();
    QCOMPARE(readAll(path("a.php")), QByteArray("<?php echo 1; ?>\n"));
    m_f->projects->checkDiskChanges();
    QCOMPARE(m_f->prompts->messages.size(), 1);
}

void TestRecovery::savingOverAChangedFileAsks_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addRow("save over it") << true;
    QTest::addRow("cancel") << false;
}

void TestRecovery::savingOverAChangedFileAsks()
{
    QFETCH(bool, overwrite);
    openSite();
    type(QStringLiteral("mine\r\n"));
    writeAll(path("a.php"), "theirs\n");
    m_f->prompts->confirmations = {overwrite};
    m_f->projects->Save1Click();
    QCOMPARE(m_f->prompts->texts(Box::Question),
             QStringList{path("a.php") + " was changed on disk since it was read. Save over it?"});
    QCOMPARE(readAll(path("a.php")), overwrite ? QByteArray("mine\n<?php echo 1; ?>\n") : QByteArray("theirs\n"));
    QCOMPARE(m_f->projects->project().Files[0].Modified, !overwrite);
}

void TestRecovery::checkSaveFailsCleanly(const QString &target)
{
    const QByteArray before = readAll(target);
    const QStringList filesBefore = QDir(folderOf(target)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    m_f->projects->Save1Click();
    const QStringList errors = m_f->prompts->texts(Box::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(target + ": "), qPrintable(errors.first()));
    const ProjectFile &file = m_f->projects->project().Files[0];
    QVERIFY(file.Modified && !file.Saved);
    QCOMPARE(m_f->editor.text.left(6), QStringLiteral("mine\r\n"));
    QCOMPARE(readAll(target), before);
    QCOMPARE(QDir(folderOf(target)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), filesBefore);
}

void TestRecovery::failedSavesKeepTheWork_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addRow("replaced by a folder") << "folder";
    QTest::addRow("file size limit") << "limit";
    QTest::addRow("disk full") << "full";
    QTest::addRow("read-only file system") << "read-only";
}

void TestRecovery::failedSavesKeepTheWork()
{
    QFETCH(QString, failure);
    std::unique_ptr<Mounted> mounted;
    QString folder = path("") + u'/';
    if (failure == u"full" || failure == u"read-only") {
        mounted = std::make_unique<Mounted>(path("mnt"), "size=16k");
        if (!mounted->ok)
            QSKIP("mounting a small file system needs the privilege to mount");
        folder = path("mnt/");
    }
    writeAll(folder + "a.php", QByteArray(6000, 'x') + '\n');
    writeAll(path("site.vlmp"),
             "Name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\nProjectFile=" + folder.toUtf8()
                 + "a.php;PHP;1,1:1\r\n");
    QVERIFY(m_f->projects->LoadProject(path("site.vlmp")));
    // Larger than the old text, and more than the small file system has left.
    type(QStringLiteral("mine\r\n") + QString(12000, u'y') + QStringLiteral("\r\n"));
    const QString target = folder + "a.php";
    if (failure == u"folder") {
        QVERIFY(QFile::remove(target));
        QVERIFY(QDir().mkdir(target));
        m_f->prompts->confirmations = {true}; // the file changed on disk: save over it
        checkSaveFailsCleanly(target);
    } else if (failure == u"limit") {
        // The process may write no file larger than 8000 bytes; the system says so by an error
        // instead of the signal that would end the program.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 8000;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        checkSaveFailsCleanly(target);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
    } else if (failure == u"full") {
        checkSaveFailsCleanly(target);
    } else {
        QVERIFY(mounted->remountReadOnly());
        checkSaveFailsCleanly(target);
    }
}

QTEST_GUILESS_MAIN(TestRecovery)
#include "tst_recovery.moc"
