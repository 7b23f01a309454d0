#include "ByteNamedFolder.h"
#include "DiskFiles.h"
#include "FileStorage.h"
#include "NativePath.h"
#include "Project.h"
#include "ProjectFileFormat.h"
#include "ProjectHistory.h"
#include "TestFiles.h"

#include <QtTest>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

// File names are bytes on Linux: names that are not UTF-8 must be found, read, written and
// stored exactly as they are on the disk.
class TestFileNames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bytesRoundTrip_data();
    void bytesRoundTrip();
    void shownForms();
    void projectWithForeignNames();
    void historyKeepsEveryByte();
    void dialogNamesLeadToTheFile();
    void fileUrls_data();
    void fileUrls();
    void replacingKeepsModeAndLinks();
    void pipesAreRefused();

private:
    // The test folder's path with a name of raw bytes added.
    QString path(QByteArrayView name) const { return m_folder->path(name); }
    QByteArray onDisk(QByteArrayView name) const { return m_folder->bytes(name); }
    void writeRaw(QByteArrayView name, const QByteArray &bytes) { QVERIFY2(m_folder->write(name, bytes), name.data()); }
    QByteArray readRaw(QByteArrayView name) const;
    QByteArrayList entries() const;

    std::unique_ptr<ByteNamedFolder> m_folder;
};

void TestFileNames::init()
{
    m_folder = std::make_unique<ByteNamedFolder>();
    QVERIFY(m_folder->isValid());
}

void TestFileNames::cleanup()
{
    QVERIFY(m_folder->removeAll());
}

QByteArrayList TestFileNames::entries() const
{
    QByteArrayList names;
    DIR *dir = ::opendir(onDisk({}).constData());
    while (const dirent *entry = dir ? ::readdir(dir) : nullptr)
        if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
            names.append(entry->d_name);
    if (dir)
        ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray TestFileNames::readRaw(QByteArrayView name) const
{
    QByteArray bytes;
    ReadFailure failure;
    return readDiskFile(pathFromBytes(onDisk(name)), 1 << 20, &bytes, &failure) ? bytes : QByteArray("<missing>");
}

void TestFileNames::bytesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::addRow("ASCII") << QByteArray("/srv/site/index.php") << true;
    QTest::addRow("UTF-8 letters") << QByteArray("/srv/caf\xC3\xA9/\xE2\x82\xAC.php") << true;
    QTest::addRow("four-byte character") << QByteArray("/x/\xF0\x9F\x98\x80.php") << true;
    QTest::addRow("Latin-1 letter") << QByteArray("/old/caf\xE9.php") << false;
    QTest::addRow("lone continuation") << QByteArray("a\x80z") << false;
    QTest::addRow("cut sequence at the end") << QByteArray("a\xE2\x82") << false;
    QTest::addRow("cut sequence before ASCII") << QByteArray("\xE2\x82z") << false;
    QTest::addRow("overlong slash") << QByteArray("a\xC0\xAF") << false;
    QTest::addRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::addRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::addRow("every high byte") << [] {
        QByteArray all;
        for (int b = 0x80; b <= 0xFF; ++b)
            all += char(b);
        return all;
    }() << false;
    QTest::addRow("four-byte character beside a foreign byte") << QByteArray("\xF0\x9F\x98\x80\xDC") << false;
}

void TestFileNames::bytesRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    const QString path = pathFromBytes(bytes);
    QCOMPARE(pathToBytes(path), bytes);
    QCOMPARE(hasForeignBytes(path), !utf8);
    if (utf8)
        QCOMPARE(path, QString::fromUtf8(bytes));
}

void TestFileNames::shownForms()
{
    const QString path = pathFromBytes("/caf\xE9/\xC3\xA9");
    QCOMPARE(displayPath(path), QStringLiteral("/caf\uFFFD/\u00E9"));
    QCOMPARE(foreignBytesAsLatin1(path), QStringLiteral("/caf\u00E9/\u00E9"));
}

void TestFileNames::projectWithForeignNames()
{
    // A Latin-1 name listed beside a UTF-8 one in a project whose own name is not UTF-8 either.
    writeRaw("caf\xE9.php", "<?php echo 1;\r\n");
    writeRaw("\xC3\xA9t\xC3\xA9.php", "<?php echo 2;\r\n");
    const QByteArray projectBytes = "Name=Caf\xE9\r\nDescription=\r\nServerURL=\r\nLastFile=1\r\n"
                                    "ProjectFile="
        + onDisk("caf\xE9.php") + ";PHP;1,1:1\r\nProjectFile=\xC3\xA9t\xC3\xA9.php;PHP;2,1:1\r\n";
    writeRaw("old\xFF.vlmp", projectBytes);

    LoadedProject loaded = LoadProject(path("old\xFF.vlmp"));
    QVERIFY(loaded.valid);
    QCOMPARE(loaded.missingFiles, QStringList());
    QCOMPARE(loaded.refusedFiles, QStringList());
    Project &project = loaded.project;
    QCOMPARE(project.Name, QStringLiteral("Caf\u00E9"));
    QCOMPARE(project.FileName, pathFromBytes("old\xFF.vlmp"));
    QCOMPARE(project.Files.size(), 2);
    QCOMPARE(project.Files[0].Text, QStringLiteral("<?php echo 1;\r\n"));
    QCOMPARE(project.Files[1].Text, QStringLiteral("<?php echo 2;\r\n"));
    QCOMPARE(loaded.lastRow, 1);

    // Saved back, every path keeps its bytes; the name is written as UTF-8 text.
    SaveError error;
    QVERIFY(SaveProject(project, 1, true, &error));
    QCOMPARE(readRaw("old\xFF.vlmp"), QByteArray(projectBytes).replace("Caf\xE9", "Caf\xC3\xA9"));
    QCOMPARE(readRaw("old\xFF.~vlmp"), projectBytes);

    project.Files[0].Text = QStringLiteral("<?php echo 3;\r\n");
    QVERIFY(WriteFileToDisk(project.Files[0], project.Files[0].FileName, true, project.Options.Path, &error));
    QCOMPARE(readRaw("caf\xE9.php"), QByteArray("<?php echo 3;\r\n"));
    QCOMPARE(readRaw("caf\xE9.~php"), QByteArray("<?php echo 1;\r\n"));
}

void TestFileNames::historyKeepsEveryByte()
{
    const QByteArray bytes = "/srv/caf\xC3\xA9/site.vlmp\r\n/old/caf\xE9.vlmp\r\n";
    writeRaw("h\xE9.his", bytes);
    ProjectHistory history;
    QVERIFY(history.load(path("h\xE9.his")));
    QCOMPARE(history.paths(),
             QStringList({QStringLiteral("/srv/caf\u00E9/site.vlmp"), pathFromBytes("/old/caf\xE9.vlmp")}));
    QVERIFY(history.save(path("again.his")));
    QCOMPARE(readRaw("again.his"), bytes);
}

void TestFileNames::dialogNamesLeadToTheFile()
{
    QVERIFY(::mkdir(onDisk("d\xE9").constData(), 0755) == 0);
    writeRaw("d\xE9/f\xFF.php", "x");
    writeRaw("twin\xE8", "x");
    writeRaw("twin\xE9", "x");
    // The file dialogs show each foreign byte as U+FFFD, as this decoding does.
    const auto shown = [this](QByteArrayView name) { return QFile::decodeName(onDisk(name)); };
    QCOMPARE(pathToBytes(pathOfShownName(shown("d\xE9/f\xFF.php"))), onDisk("d\xE9/f\xFF.php"));
    // A new name typed in a foreign folder: the folder is found, the name kept.
    QCOMPARE(pathToBytes(pathOfShownName(shown("d\xE9/new.php"))), onDisk("d\xE9/new.php"));
    QCOMPARE(pathOfShownName(path("plain.php")), path("plain.php"));
    // Two names that show alike cannot be told apart: the shown name is left as it is.
    QCOMPARE(pathOfShownName(shown("twin\xE9")), shown("twin\xE9"));
}

void TestFileNames::fileUrls_data()
{
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QByteArray>("path");
    QTest::addRow("plain") << QByteArray("file:///srv/a%20b.php") << QByteArray("/srv/a b.php");
    QTest::addRow("UTF-8") << QByteArray("file:///srv/caf%C3%A9.php") << QByteArray("/srv/caf\xC3\xA9.php");
    QTest::addRow("Latin-1 byte") << QByteArray("file:///srv/caf%E9.php") << QByteArray("/srv/caf\xE9.php");
}

void TestFileNames::fileUrls()
{
    QFETCH(QByteArray, url);
    QFETCH(QByteArray, path);
    QCOMPARE(pathToBytes(localPathOf(QUrl::fromEncoded(url))), path);
}

void TestFileNames::replacingKeepsModeAndLinks()
{
    writeRaw("script.php", "old");
    QVERIFY(::chmod(onDisk("script.php").constData(), 0750) == 0);
    QVERIFY(::symlink("script.php", onDisk("link\xE9.php").constData()) == 0);
    QString reason;
    QVERIFY(replaceDiskFile(path("link\xE9.php"), "new", &reason));
    struct stat info;
    QVERIFY(::lstat(onDisk("link\xE9.php").constData(), &info) == 0 && S_ISLNK(info.st_mode));
    QCOMPARE(readRaw("script.php"), QByteArray("new"));
    QVERIFY(::stat(onDisk("script.php").constData(), &info) == 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0750));
    QCOMPARE(entries(), QByteArrayList({"link\xE9.php", "script.php"}));

    QVERIFY(!replaceDiskFile(path("no such folder/x.php"), "x", &reason));
    QCOMPARE(reason, QString::fromLocal8Bit(strerror(ENOENT)));
}

void TestFileNames::pipesAreRefused()
{
    // Opening a FIFO for reading would wait for a writer that never comes.
    QVERIFY(::mkfifo(onDisk("fifo\xE9").constData(), 0600) == 0);
    FileContent content;
    QString error;
    QVERIFY(!readFileContent(path("fifo\xE9"), &content, &error));
    QCOMPARE(error, displayPath(path("fifo\xE9")) + QStringLiteral(": Not a regular file"));
}

QTEST_GUILESS_MAIN(TestFileNames)
#include "tst_file_names.moc"
