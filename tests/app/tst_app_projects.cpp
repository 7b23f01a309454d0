#include "FileNames.h"
#include "FileStorage.h"
#include "Project.h"
#include "ProjectFile.h"
#include "ProjectFileFormat.h"
#include "ProjectProperties.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray Header("Name=Site\r\nDescription=one,\"two three\"\r\nServerURL=http://localhost/site/\r\n");

QString summary(const ProjectFileLine &line)
{
    return QStringLiteral("%1|%2|%3,%4:%5%6")
        .arg(line.Path, line.FileType)
        .arg(line.CaretX)
        .arg(line.CaretY)
        .arg(line.TopLine)
        .arg(line.LineFormat == LineEnds::Unix ? QStringLiteral("|unix") : QString());
}

// A saved entry as a project load gives it.
ProjectFile savedEntry(const QString &fileName, const QString &type, int caretX, int caretY, int topLine)
{
    ProjectFile file;
    file.FileName = fileName;
    file.FileType = type;
    file.Path = folderOf(fileName);
    file.Saved = true;
    file.CaretX = caretX;
    file.CaretY = caretY;
    file.TopLine = topLine;
    return file;
}

} // namespace

class TestAppProjects : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // The project file
    void reader_data();
    void reader();
    void readerHeaderValues();
    void writerExactBytes();
    void writerLastFile_data();
    void writerLastFile();
    void loadReadsListedFilesAndReportsMissingOnes();
    void loadRefusesBrokenProjects_data();
    void loadRefusesBrokenProjects();
    void loadGivesEachDuplicateItsText();
    void saveThenLoadRoundTrip();
    void saveProjectKeepsBackupAndFailsCleanly();
    void resetAndClose();
    void projectExtension_data();
    void projectExtension();

    // Project Properties
    void serverUrl_data();
    void serverUrl();
    void projectPath_data();
    void projectPath();
    void commaTextRoundTrip_data();
    void commaTextRoundTrip();
    void commaTextReading_data();
    void commaTextReading();

    // Names
    void backupName_data();
    void backupName();
    void fileType_data();
    void fileType();

    // The file table
    void templates_data();
    void templates();
    void newFileNumbering();
    void findFileIsExactAndTakesTheLast();
    void allFilesSaved();
    void addExistingFile();
    void lineFormatFollowsTheFile_data();
    void lineFormatFollowsTheFile();
    void filesTooLargeToHoldAreRefused();

    // Reading and writing files
    void roundTrip_data();
    void roundTrip();
    void textInMemoryHasCrLf();
    void latin1FileWithNewCharacterIsSavedAsUtf8();
    void templateWrittenInEachFormat_data();
    void templateWrittenInEachFormat();
    void saveUpdatesTheEntry();
    void backups();
    void saveFailures_data();
    void saveFailures();
    void backupThatCannotBeReplacedStopsTheSave();
    void failedWriteLeavesFileAndBackup_data();
    void failedWriteLeavesFileAndBackup();
    void binaryAndLargeFilesLoad();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString folder() const { return m_dir->path() + u'/'; }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestAppProjects::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// ---------------------------------------------------------------------------------------------
// The project file

void TestAppProjects::reader_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("lastFile");

    const QByteArray a("ProjectFile=/web/a.php;PHP;5,12:1\r\n");
    const QByteArray b("ProjectFile=/web/b.inc;INC;1,3:2\r\n");
    const QString aSummary("/web/a.php|PHP|5,12:1");
    const QString bSummary("/web/b.inc|INC|1,3:2");
    const QStringList both{aSummary, bSummary};

    QTest::addRow("LastFile picks the second file") << "LastFile=2\r\n" + a + b << true << both << "/web/b.inc";
    QTest::addRow("LastFile 0") << "LastFile=0\r\n" + a << true << QStringList{aSummary} << "";
    QTest::addRow("LastFile beyond the files") << "LastFile=3\r\n" + a + b << true << both << "";
    QTest::addRow("LastFile negative") << "LastFile=-1\r\n" + a << true << QStringList{aSummary} << "";
    QTest::addRow("LastFile not an integer") << "LastFile=two\r\n" + a << false << QStringList() << "";
    QTest::addRow("line 4 without LastFile is a file line") << a + b << true << both << "";
    QTest::addRow("line 4 that is neither refused") << "Files\r\n" + a << false << QStringList() << "";
    QTest::addRow("later line not a file line refused") << "LastFile=1\r\n" + a + "projectfile=/web/b.inc;INC;1,1:1\r\n"
                                                        << false << QStringList() << "";
    QTest::addRow("extra empty line at the end") << "LastFile=1\r\n" + a + "\r\n"
                                                 << true << QStringList{aSummary} << "/web/a.php";
    QTest::addRow("empty lines between files do not count")
        << "LastFile=2\r\n\r\n" + a + "\r\n\r\n" + b << true << both << "/web/b.inc";
    QTest::addRow("a later LastFile line is skipped")
        << "LastFile=1\r\n" + a + "LastFile=9\r\n" + b << true << both << "/web/a.php";
    QTest::addRow("header and one empty line") << QByteArray("\r\n") << true << QStringList() << "";
    QTest::addRow("LF line ends") << QByteArray("LastFile=1\nProjectFile=/web/a.php;PHP;5,12:1\n") << true
                                  << QStringList{aSummary} << "/web/a.php";
    QTest::addRow("UNIX marker") << QByteArray("LastFile=1\r\nProjectFile=[FILEFORMAT:UNIX]/web/lib.inc;INC;1,1:1\r\n")
                                 << true << QStringList{"/web/lib.inc|INC|1,1:1|unix"} << "/web/lib.inc";
    QTest::addRow("UNIX marker inside the path")
        << QByteArray("LastFile=0\r\nProjectFile=/web/[FILEFORMAT:UNIX]lib.inc;INC;2,2:2\r\n") << true
        << QStringList{"/web/lib.inc|INC|2,2:2|unix"} << "";
    QTest::addRow("old two-field line") << QByteArray("LastFile=0\r\nProjectFile=/web/a.php;PHP\r\n") << true
                                        << QStringList{"/web/a.php|PHP|1,1:1"} << "";
    QTest::addRow("position with a word") << QByteArray("LastFile=0\r\nProjectFile=/web/a.php;PHP;x,2:3\r\n") << true
                                          << QStringList{"/web/a.php|PHP|1,1:1"} << "";
    QTest::addRow("position without top line") << QByteArray("LastFile=0\r\nProjectFile=/web/a.php;PHP;5,12\r\n")
                                               << true << QStringList{"/web/a.php|PHP|1,1:1"} << "";
    QTest::addRow("third ; spoils the position") << QByteArray("LastFile=0\r\nProjectFile=/web/a.php;PHP;5,12:1;x\r\n")
                                                 << true << QStringList{"/web/a.php|PHP|1,1:1"} << "";
    QTest::addRow("no type") << QByteArray("LastFile=0\r\nProjectFile=/web/a.php\r\n") << true
                             << QStringList{"/web/a.php||1,1:1"} << "";
    QTest::addRow("relative path kept as written") << QByteArray("LastFile=1\r\nProjectFile=sub/a.php;PHP;1,2:1\r\n")
                                                   << true << QStringList{"sub/a.php|PHP|1,2:1"} << "sub/a.php";
}

void TestAppProjects::reader()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, valid);
    QFETCH(QStringList, files);
    QFETCH(QString, lastFile);

    const auto contents = parseProjectFile(QString::fromUtf8(Header + body));
    QCOMPARE(contents.has_value(), valid);
    if (!contents)
        return;
    QStringList summaries;
    for (const ProjectFileLine &line : contents->Files)
        summaries.append(summary(line));
    QCOMPARE(summaries, files);
    QCOMPARE(contents->LastFilePath, lastFile);
}

void TestAppProjects::readerHeaderValues()
{
    const auto contents = parseProjectFile(QString::fromUtf8(Header + "LastFile=0\r\n"));
    QVERIFY(contents);
    QCOMPARE(contents->Name, QStringLiteral("Site"));
    QCOMPARE(contents->Description, QStringLiteral("one,\"two three\""));
    QCOMPARE(contents->ServerURL, QStringLiteral("http://localhost/site/"));

    const QStringList refused{
        "name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n",
        "Name=Site\r\nDescription=\r\nserverurl=\r\nLastFile=0\r\n",
        "Name=Site\r\nServerURL=\r\nDescription=\r\nLastFile=0\r\n",
        "Name=Site\r\nDescription=\r\nServerURL=\r\n",
        "Name=Site\r\nDescription=\r\nServerURL=",
    };
    for (const QString &text : refused)
        QVERIFY2(!parseProjectFile(text), qPrintable(text));
}

void TestAppProjects::writerExactBytes()
{
    Project project;
    project.Name = QStringLiteral("Site");
    project.Description = QStringLiteral("one,\"two three\"");
    project.Options = {QStringLiteral("/web/"), QStringLiteral("http://localhost/site/")};
    project.Files.append(savedEntry("/web/index.php", "PHP", 5, 12, 1));
    project.Files.AddNewFile(QStringLiteral("/web/"), NewFileKind::Php);
    ProjectFile lib = savedEntry("/web/lib.inc", "INC", 1, 1, 1);
    lib.LineFormat = LineEnds::Unix;
    project.Files.append(std::move(lib));

    QCOMPARE(projectFileBytes(project, 3),
             QByteArray("Name=Site\r\nDescription=one,\"two three\"\r\nServerURL=http://localhost/site/\r\n"
                        "LastFile=2\r\n"
                        "ProjectFile=/web/index.php;PHP;5,12:1\r\n"
                        "ProjectFile=[FILEFORMAT:UNIX]/web/lib.inc;INC;1,1:1\r\n"));
}

void TestAppProjects::writerLastFile_data()
{
    QTest::addColumn<int>("lastFile");
    QTest::addColumn<QByteArray>("written");
    // Table: a.php, a new file, b.php.
    QTest::addRow("project row") << 0 << QByteArray("LastFile=0\r\n");
    QTest::addRow("first file") << 1 << QByteArray("LastFile=1\r\n");
    QTest::addRow("the new file is not written") << 2 << QByteArray("LastFile=0\r\n");
    QTest::addRow("file after the new one") << 3 << QByteArray("LastFile=2\r\n");
    QTest::addRow("beyond the table") << 4 << QByteArray("LastFile=0\r\n");
}

void TestAppProjects::writerLastFile()
{
    QFETCH(int, lastFile);
    QFETCH(QByteArray, written);
    Project project;
    project.Files.append(savedEntry("/web/a.php", "PHP", 1, 1, 1));
    project.Files.AddNewFile(QStringLiteral("/web/"), NewFileKind::Html);
    project.Files.append(savedEntry("/web/b.php", "PHP", 1, 1, 1));
    QVERIFY(projectFileBytes(project, lastFile).contains("\r\n" + written));
}

void TestAppProjects::loadReadsListedFilesAndReportsMissingOnes()
{
    QVERIFY(QDir(folder()).mkpath(QStringLiteral("sub")));
    writeAll(path("a.php"), "<?php\necho 1;\n");
    writeAll(path("sub/b.js"), "var b;");
    const QString gone = path("gone.php");
    writeAll(path("site.vlmp"),
             Header + "LastFile=3\r\nProjectFile=" + path("a.php").toUtf8() + ";PHP;3,2:1\r\nProjectFile="
                 + gone.toUtf8() + ";PHP;1,1:1\r\nProjectFile=[FILEFORMAT:UNIX]sub/b.js;JS;4,1:1\r\n");

    const LoadedProject loaded = LoadProject(path("site.vlmp"));
    QVERIFY(loaded.valid);
    QCOMPARE(loaded.missingFiles, QStringList{gone});
    const Project &project = loaded.project;
    QCOMPARE(project.Name, QStringLiteral("Site"));
    QCOMPARE(project.FileName, QStringLiteral("site.vlmp"));
    QCOMPARE(project.Options.Path, folder());
    QVERIFY(!project.Changed);
    QCOMPARE(project.Files.size(), 2);

    const ProjectFile &a = project.Files[0];
    QCOMPARE(a.Text, QStringLiteral("<?php\r\necho 1;\r\n"));
    QCOMPARE(a.FileType, QStringLiteral("PHP"));
    QCOMPARE(a.Path, folder());
    QCOMPARE((QList<int>{a.CaretX, a.CaretY, a.TopLine}), (QList<int>{3, 2, 1}));
    QVERIFY(a.Saved && !a.Modified && !a.IsNew && !a.UndoList); // no lists kept: fresh ones

    // Read from the project's folder, kept as written.
    const ProjectFile &b = project.Files[1];
    QCOMPARE(b.FileName, QStringLiteral("sub/b.js"));
    QCOMPARE(b.Text, QStringLiteral("var b;\r\n"));
    QCOMPARE(b.LineFormat, LineEnds::Unix);
    QCOMPARE(loaded.lastRow, 2);
    QCOMPARE(QDir::current(), QDir(folder()));
}

void TestAppProjects::loadRefusesBrokenProjects_data()
{
    QTest::addColumn<QByteArray>("projectFile");
    QTest::addColumn<QString>("listed");
    QTest::addRow("project file missing") << QByteArray() << "";
    QTest::addRow("lower-case header") << QByteArray("name=Site\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\n") << "";
}

void TestAppProjects::loadRefusesBrokenProjects()
{
    QFETCH(QByteArray, projectFile);
    QFETCH(QString, listed);
    if (!projectFile.isEmpty())
        writeAll(path("p.vlmp"), projectFile + (listed.isEmpty() ? "" : "ProjectFile=" + listed.toUtf8() + ";X\r\n"));
    const QString before = QDir::currentPath();
    const LoadedProject loaded = LoadProject(path("p.vlmp"));
    QVERIFY(!loaded.valid);
    QCOMPARE(QDir::currentPath(), before);
}

void TestAppProjects::loadGivesEachDuplicateItsText()
{
    writeAll(path("a.php"), "a\n");
    QVERIFY(QDir(folder()).mkdir(QStringLiteral("folder.php")));
    const QByteArray line = "ProjectFile=" + path("a.php").toUtf8() + ";PHP;1,1:1\r\n";
    // A folder is not a file: reported like a missing one.
    writeAll(path("p.vlmp"), Header + "LastFile=1\r\n" + line + line + "ProjectFile=folder.php;PHP\r\n");
    const LoadedProject loaded = LoadProject(path("p.vlmp"));
    QVERIFY(loaded.valid);
    QCOMPARE(loaded.project.Files.size(), 2);
    QCOMPARE(loaded.project.Files[0].Text, QStringLiteral("a\r\n"));
    QCOMPARE(loaded.project.Files[1].Text, QStringLiteral("a\r\n"));
    QCOMPARE(loaded.missingFiles, QStringList{"folder.php"});
    QCOMPARE(loaded.lastRow, 2);
}

void TestAppProjects::saveThenLoadRoundTrip()
{
    writeAll(path("index.php"), "<?php\r\n?>\r\n");
    writeAll(path("lib.inc"), "x\n");
    Project project;
    ResetProject(project, folder());
    project.Name = QStringLiteral("Round trip");
    project.Description = toCommaText({"first line", "second"});
    project.Options.ServerURL = QStringLiteral("http://localhost:8000/");
    project.FileName = QStringLiteral("round.vlmp");
    QString error;
    QVERIFY(AddExistingFile(project.Files, path("index.php"), &error));
    QVERIFY(AddExistingFile(project.Files, path("lib.inc"), &error));
    project.Files.AddNewFile(folder(), NewFileKind::Php);
    project.Files[1].LineFormat = LineEnds::Unix;
    project.Files[1].CaretX = 7;
    project.Files[1].CaretY = 3;
    project.Files[1].TopLine = 2;
    project.Changed = true;

    SaveError saveError;
    QVERIFY(SaveProject(project, 2, false, &saveError));
    QVERIFY(!project.Changed);

    const LoadedProject loaded = LoadProject(path("round.vlmp"));
    QVERIFY(loaded.valid);
    QCOMPARE(loaded.project.Name, project.Name);
    QCOMPARE(fromCommaText(loaded.project.Description), (QStringList{"first line", "second"}));
    QCOMPARE(loaded.project.Options.ServerURL, project.Options.ServerURL);
    QCOMPARE(loaded.project.Files.size(), 2); // the new file is left out
    const ProjectFile &lib = loaded.project.Files[1];
    QCOMPARE(lib.FileName, path("lib.inc"));
    QCOMPARE(lib.LineFormat, LineEnds::Unix);
    QCOMPARE((QList<int>{lib.CaretX, lib.CaretY, lib.TopLine}), (QList<int>{7, 3, 2}));
    QCOMPARE(loaded.lastRow, 2);
    QCOMPARE(readAll(path("round.vlmp")), projectFileBytes(loaded.project, loaded.lastRow));
}

void TestAppProjects::saveProjectKeepsBackupAndFailsCleanly()
{
    Project project;
    ResetProject(project, folder());
    project.FileName = QStringLiteral("site.vlmp");
    SaveError error;
    QVERIFY(SaveProject(project, 0, true, &error));
    const QByteArray first = readAll(path("site.vlmp"));
    project.Name = QStringLiteral("Renamed");
    QVERIFY(SaveProject(project, 0, true, &error));
    QCOMPARE(readAll(path("site.~vlmp")), first);
    QVERIFY(readAll(path("site.vlmp")).startsWith("Name=Renamed\r\n"));

    project.Options.Path = path("missing") + u'/';
    project.Changed = true;
    QVERIFY(!SaveProject(project, 0, true, &error));
    QVERIFY(project.Changed);
    QVERIFY(!error.backup);
    QCOMPARE(error.path, path("missing/site.vlmp"));
    QVERIFY(error.message().startsWith(path("missing/site.vlmp") + ": "));
}

void TestAppProjects::resetAndClose()
{
    Project project;
    project.Description = QStringLiteral("d");
    project.FileName = QStringLiteral("old.vlmp");
    project.Options.ServerURL = QStringLiteral("http://x/");
    project.Files.AddNewFile(QStringLiteral("/web/"), NewFileKind::Php);
    project.Changed = true;
    ResetProject(project, QStringLiteral("/opt/velmora/"));
    QCOMPARE(project.Name, QStringLiteral("Project 1"));
    QVERIFY(project.FileName.isEmpty() && project.Description.isEmpty() && project.Options.ServerURL.isEmpty());
    QCOMPARE(project.Options.Path, QStringLiteral("/opt/velmora/"));
    QVERIFY(project.Files.isEmpty() && !project.Changed);

    project.FileName = QStringLiteral("site.vlmp");
    project.Files.AddNewFile(QStringLiteral("/web/"), NewFileKind::Php);
    project.Changed = true;
    CloseProject(project);
    QVERIFY(project.Name.isEmpty() && project.Files.isEmpty() && !project.Changed);
    QCOMPARE(project.FileName, QStringLiteral("site.vlmp"));
    QCOMPARE(project.Options.Path, QStringLiteral("/opt/velmora/"));
}

void TestAppProjects::projectExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::addRow("added") << "/web/site"
                           << "/web/site.vlmp";
    QTest::addRow("kept") << "/web/site.vlmp"
                          << "/web/site.vlmp";
    QTest::addRow("upper case kept") << "/web/site.VLMP"
                                     << "/web/site.VLMP";
    QTest::addRow("other extension") << "/web/site.txt"
                                     << "/web/site.txt.vlmp";
}

void TestAppProjects::projectExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QCOMPARE(withProjectExtension(chosen), expected);
}

// ---------------------------------------------------------------------------------------------
// Project Properties

void TestAppProjects::serverUrl_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("asIs");
    QTest::addColumn<QString>("expected");
    QTest::addRow("host and folder") << "localhost/test" << false << "http://localhost/test/";
    QTest::addRow("with prefix") << "http://localhost/test" << false << "http://localhost/test/";
    QTest::addRow("already normal") << "http://localhost/test/" << false << "http://localhost/test/";
    QTest::addRow("blanks trimmed") << "  localhost  " << false << "http://localhost/";
    QTest::addRow("empty") << "" << false << "";
    QTest::addRow("slash alone") << "/" << false << "";
    QTest::addRow("prefix alone") << "http://" << false << "";
    QTest::addRow("one slash after the colon") << "http:/localhost" << false << "http://localhost/";
    QTest::addRow("colon missing") << "http//localhost" << false << "http://localhost/";
    QTest::addRow("upper-case prefix") << "HTTP://Host/a" << false << "http://Host/a/";
    QTest::addRow("doubled slash in the path") << "localhost//test" << false << "http://localhost/test/";
    QTest::addRow("port kept") << "localhost:8080/app" << false << "http://localhost:8080/app/";
    QTest::addRow("secure prefix kept") << "https://example.com/site" << false << "https://example.com/site/";
    QTest::addRow("http inside the path kept") << "localhost/httpdocs" << false << "http://localhost/httpdocs/";
    QTest::addRow("as is") << " https://x:8080/a " << true << " https://x:8080/a ";
    QTest::addRow("as is empty") << "" << true << "";
}

void TestAppProjects::serverUrl()
{
    QFETCH(QString, typed);
    QFETCH(bool, asIs);
    QFETCH(QString, expected);
    QCOMPARE(normalizedServerUrl(typed, asIs), expected);
}

void TestAppProjects::projectPath_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addRow("separator added") << "/web/site"
                                     << "/web/site/";
    QTest::addRow("trailing separator not doubled") << "/web/site/"
                                                    << "/web/site/";
    QTest::addRow("doubled inside") << "/web//site"
                                    << "/web/site/";
    QTest::addRow("tripled") << "/web///site///"
                             << "/web/site/";
}

void TestAppProjects::projectPath()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(normalizedProjectPath(typed), expected);
}

void TestAppProjects::commaTextRoundTrip_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addRow("no lines") << QStringList() << "";
    QTest::addRow("one empty line") << QStringList{""} << "\"\"";
    QTest::addRow("plain words") << QStringList{"one", "two"} << "one,two";
    QTest::addRow("blank quotes the line") << QStringList{"one two", "three"} << "\"one two\",three";
    QTest::addRow("comma and quote") << QStringList{"a,b", "say \"hi\""} << "\"a,b\",\"say \"\"hi\"\"\"";
    QTest::addRow("tab quotes the line") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::addRow("empty line between") << QStringList{"a", "", "b"} << "a,,b";
    QTest::addRow("two empty lines") << QStringList{"", ""} << ",";
    QTest::addRow("blanks around kept") << QStringList{" a "} << "\" a \"";
}

void TestAppProjects::commaTextRoundTrip()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QCOMPARE(toCommaText(lines), text);
    QCOMPARE(fromCommaText(text), lines);
}

void TestAppProjects::commaTextReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("unquoted blank splits") << "alpha beta" << QStringList{"alpha", "beta"};
    QTest::addRow("blanks around items skipped") << "  a , b  " << QStringList{"a", "b"};
    QTest::addRow("trailing comma") << "a," << QStringList{"a", ""};
    QTest::addRow("unclosed quote runs to the end") << "\"a, b" << QStringList{"a, b"};
    QTest::addRow("text after a closing quote") << "\"a\"b" << QStringList{"a", "b"};
    QTest::addRow("control character splits") << QString("a") + QChar(0) + "b" << QStringList{"a", "b"};
}

void TestAppProjects::commaTextReading()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(fromCommaText(text), lines);
}

// ---------------------------------------------------------------------------------------------
// Names

void TestAppProjects::backupName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("backup");
    QTest::addRow("extension") << "/web/index.php"
                               << "/web/index.~php";
    QTest::addRow("every occurrence") << "/web/a.php.php"
                                      << "/web/a.~php.~php";
    QTest::addRow("case sensitive") << "/web/a.PHP.php"
                                    << "/web/a.PHP.~php";
    QTest::addRow("project file") << "/web/site.vlmp"
                                  << "/web/site.~vlmp";
    QTest::addRow("no extension gives itself") << "/web/README"
                                               << "/web/README";
    QTest::addRow("dot in the folder only") << "/web/site.php/README"
                                            << "/web/site.php/README";
    QTest::addRow("folder keeps its name") << "/web/site.php/a.php"
                                           << "/web/site.php/a.~php";
}

void TestAppProjects::backupName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, backup);
    QCOMPARE(backupFileName(fileName), backup);
}

void TestAppProjects::fileType_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("type");
    QTest::addRow("php") << "/web/a.php"
                         << "PHP";
    QTest::addRow("last extension") << "/web/a.tar.gz"
                                    << "GZ";
    QTest::addRow("project file") << "/web/site.vlmp"
                                  << "VLMP";
    QTest::addRow("none") << "/web/README"
                          << "";
    QTest::addRow("dot in the folder only") << "/web/v1.2/README"
                                            << "";
}

void TestAppProjects::fileType()
{
    QFETCH(QString, fileName);
    QFETCH(QString, type);
    QCOMPARE(fileTypeOf(fileName), type);
}

// ---------------------------------------------------------------------------------------------
// The file table

void TestAppProjects::templates_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addRow("PHP") << "PHP"
                         << "<?php\r\n\r\n?>";
    QTest::addRow("HTML") << "HTML"
                          << "<HTML>\r\n\r\n</HTML>";
    QTest::addRow("JS") << "JS"
                        << "<SCRIPT Language='JavaScript'>\r\n\r\n</SCRIPT>";
    QTest::addRow("undefined") << ""
                               << "";
    QTest::addRow("compared exactly") << "php"
                                      << "";
    QTest::addRow("other type") << "CSS"
                                << "";
}

void TestAppProjects::templates()
{
    QFETCH(QString, type);
    QFETCH(QString, text);
    FileTable files;
    const ProjectFile &file = files.AddFileRecord(QStringLiteral("/web/x"), type, QStringLiteral("/web/"));
    QCOMPARE(file.Text, text);
    QCOMPARE(file.FileType, type);
    QCOMPARE(file.Path, QStringLiteral("/web/"));
    QVERIFY(file.IsNew && !file.Saved && !file.Modified && !file.UndoList); // no lists kept: fresh ones
    QCOMPARE(file.LineFormat, LineEnds::Windows);
}

void TestAppProjects::newFileNumbering()
{
    FileTable files;
    const QString web = QStringLiteral("/web/");
    for (int i = 0; i < 3; ++i)
        files.AddNewFile(web, NewFileKind::Php);
    QCOMPARE(files[2].FileName, QStringLiteral("/web/new3.php"));
    files.remove(1);
    QCOMPARE(files[files.AddNewFile(web, NewFileKind::Php)].FileName, QStringLiteral("/web/new2.php"));

    const int html = files.AddNewFile(web, NewFileKind::Html);
    QCOMPARE(files[html].FileName, QStringLiteral("/web/new1.html"));
    QCOMPARE(files[html].FileType, QStringLiteral("HTML"));
    const int js = files.AddNewFile(web, NewFileKind::JavaScript);
    QCOMPARE(files[js].FileName, QStringLiteral("/web/new1.js"));
    const int undefined = files.AddNewFile(web, NewFileKind::Undefined);
    QCOMPARE(files[undefined].FileName, QStringLiteral("/web/new1"));
    QVERIFY(files[undefined].FileType.isEmpty() && files[undefined].Text.isEmpty());
}

void TestAppProjects::findFileIsExactAndTakesTheLast()
{
    FileTable files;
    files.AddFileRecord(QStringLiteral("/web/a.php"), QStringLiteral("PHP"), QStringLiteral("/web/"));
    files.AddFileRecord(QStringLiteral("/web/b.php"), QStringLiteral("PHP"), QStringLiteral("/web/"));
    files.AddFileRecord(QStringLiteral("/web/a.php"), QStringLiteral("PHP"), QStringLiteral("/web/"));
    QCOMPARE(files.FindFile(QStringLiteral("/web/a.php")), 2);
    QCOMPARE(files.FindFile(QStringLiteral("/web/b.php")), 1);
    QCOMPARE(files.FindFile(QStringLiteral("/web/A.php")), -1);
    files.swap(1, 2);
    QCOMPARE(files.FindFile(QStringLiteral("/web/b.php")), 2);
}

void TestAppProjects::allFilesSaved()
{
    FileTable files;
    files.AddNewFile(QStringLiteral("/web/"), NewFileKind::Php);
    QVERIFY(files.AllFilesSaved()); // new and untouched
    files[0].Modified = true;
    QVERIFY(!files.AllFilesSaved());
    files[0].Saved = true;
    QVERIFY(files.AllFilesSaved());
}

void TestAppProjects::addExistingFile()
{
    writeAll(path("page.HTM"), "<p>\n");
    FileTable files;
    QString error;
    QVERIFY(AddExistingFile(files, path("page.HTM"), &error));
    QCOMPARE(files.size(), 1);
    const ProjectFile &file = files[0];
    QCOMPARE(file.FileType, QStringLiteral("HTM"));
    QCOMPARE(file.Path, folder());
    QCOMPARE(file.Text, QStringLiteral("<p>\r\n"));
    QVERIFY(file.Saved && !file.Modified && !file.IsNew && !file.UndoList); // no lists kept: fresh ones

    QVERIFY(!AddExistingFile(files, folder(), &error));
    QCOMPARE(error, folder() + QStringLiteral(": Not a regular file"));
    QVERIFY(!AddExistingFile(files, path("absent.php"), &error));
    QVERIFY2(error.startsWith(path("absent.php") + u':'), qPrintable(error));
    QCOMPARE(files.size(), 1);
}

void TestAppProjects::lineFormatFollowsTheFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<LineEnds>("format");
    QTest::addRow("LF only") << QByteArray("<?php\necho 1;\n") << LineEnds::Unix;
    QTest::addRow("LF, last line open") << QByteArray("a\nb") << LineEnds::Unix;
    QTest::addRow("CR LF") << QByteArray("a\r\nb\r\n") << LineEnds::Windows;
    QTest::addRow("mixed: CR LF wins") << QByteArray("a\nb\r\nc\n") << LineEnds::Windows;
    QTest::addRow("lone CR") << QByteArray("a\rb\r") << LineEnds::Windows;
    QTest::addRow("no line end") << QByteArray("a") << LineEnds::Windows;
}

void TestAppProjects::lineFormatFollowsTheFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(LineEnds, format);
    writeAll(path("f.php"), bytes);
    FileTable files;
    QString error;
    QVERIFY(AddExistingFile(files, path("f.php"), &error));
    QCOMPARE(files[0].LineFormat, format);
    // Saved unchanged, an LF file keeps its bytes.
    SaveError saveError;
    QVERIFY(WriteFileToDisk(files[0], path("f.php"), false, folder(), &saveError));
    if (format == LineEnds::Unix)
        QCOMPARE(readAll(path("f.php")), bytes);

    // The same for a project entry without a format marker.
    writeAll(path("p.vlmp"), "Name=P\r\nDescription=\r\nServerURL=\r\nLastFile=0\r\nProjectFile=f.php;PHP;1,1:1\r\n");
    writeAll(path("f.php"), bytes);
    QCOMPARE(LoadProject(path("p.vlmp")).project.Files[0].LineFormat, format);
}

void TestAppProjects::filesTooLargeToHoldAreRefused()
{
    // Sparse: the size is there without the bytes, as a huge file on disk would be.
    QFile huge(path("huge.sql"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(MaxEditableFileSize + 1));
    huge.close();
    writeAll(path("small.php"), "<?php\n");
    FileTable files;
    QString error;
    QVERIFY(!AddExistingFile(files, path("huge.sql"), &error));
    QCOMPARE(error, path("huge.sql") + ": The file is too large to edit (256.0 MB; files up to 256.0 MB open)");
    QCOMPARE(files.size(), 0);

    // Listed in a project, it is refused and the rest loads.
    writeAll(path("p.vlmp"),
             "Name=P\r\nDescription=\r\nServerURL=\r\nLastFile=2\r\nProjectFile=huge.sql;SQL;1,1:1\r\n"
             "ProjectFile=small.php;PHP;1,1:1\r\n");
    const LoadedProject loaded = LoadProject(path("p.vlmp"));
    QVERIFY(loaded.valid);
    QCOMPARE(loaded.project.Files.size(), 1);
    QCOMPARE(loaded.project.Files[0].FileName, QStringLiteral("small.php"));
    QCOMPARE(loaded.refusedFiles, QStringList{error});

    // So is a listed file that is there but cannot be read.
    writeAll(path("q.vlmp"), Header + "LastFile=0\r\nProjectFile=/proc/self/mem;X\r\nProjectFile=small.php;PHP\r\n");
    const LoadedProject unreadable = LoadProject(path("q.vlmp"));
    QVERIFY(unreadable.valid);
    QCOMPARE(unreadable.project.Files.size(), 1);
    QCOMPARE(unreadable.refusedFiles.size(), 1);
    QVERIFY2(unreadable.refusedFiles[0].startsWith("/proc/self/mem: "), qPrintable(unreadable.refusedFiles[0]));
    QCOMPARE(fileSizeText(qint64(5) * 1024 * 1024 * 1024 + 512 * 1024 * 1024), QStringLiteral("5.5 GB"));
}

// ---------------------------------------------------------------------------------------------
// Reading and writing files

void TestAppProjects::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("unix");
    QTest::addColumn<QByteArray>("written");

    const QByteArray bom("\xEF\xBB\xBF");
    auto same = [](const char *name, const QByteArray &bytes) { QTest::addRow("%s", name) << bytes << false << bytes; };
    same("UTF-8", "<?php\r\necho \"\xC3\xA9t\xC3\xA9\";\r\n");
    same("UTF-8 with BOM", bom + "a\r\nb\r\n");
    same("two BOMs", bom + bom + "a\r\n");
    same("Latin-1 bytes", "caf\xE9\r\n\xFF\xFE\r\n");
    same("BOM then invalid UTF-8", bom + "\xE9\r\n");
    same("NUL bytes", QByteArray("a\0b\r\n\0\r\n", 9));
    same("no final line end", "a\r\nb");
    same("empty file", "");
    same("one line end", "\r\n");
    same("blank lines at the end", "a\r\n\r\n\r\n");
    QTest::addRow("mixed line ends, Windows")
        << QByteArray("a\rb\nc\r\nd\n\re") << false << QByteArray("a\r\nb\r\nc\r\nd\r\n\r\ne");
    QTest::addRow("mixed line ends, UNIX") << QByteArray("a\rb\nc\r\nd\n") << true << QByteArray("a\nb\nc\nd\n");
    QTest::addRow("LF file saved as Windows") << QByteArray("a\nb\n") << false << QByteArray("a\r\nb\r\n");
    QTest::addRow("no final line end, UNIX") << QByteArray("a\r\nb") << true << QByteArray("a\nb");
}

void TestAppProjects::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, unix);
    QFETCH(QByteArray, written);
    writeAll(path("file.php"), bytes);
    FileTable files;
    QString error;
    QVERIFY(AddExistingFile(files, path("file.php"), &error));
    files[0].LineFormat = unix ? LineEnds::Unix : LineEnds::Windows;
    SaveError saveError;
    QVERIFY(WriteFileToDisk(files[0], path("file.php"), false, folder(), &saveError));
    QCOMPARE(readAll(path("file.php")), written);
}

void TestAppProjects::textInMemoryHasCrLf()
{
    const FileContent mixed = decodeFileContent("a\rb\nc\r\nd");
    QCOMPARE(mixed.Text, QStringLiteral("a\r\nb\r\nc\r\nd\r\n"));
    QVERIFY(!mixed.FinalLineEnd);
    const FileContent ended = decodeFileContent("a\n\n");
    QCOMPARE(ended.Text, QStringLiteral("a\r\n\r\n"));
    QVERIFY(ended.FinalLineEnd);
    const FileContent latin = decodeFileContent("\xE9");
    QCOMPARE(latin.Encoding, TextEncoding::Latin1);
    QCOMPARE(latin.Text, QStringLiteral("\u00E9\r\n"));
}

void TestAppProjects::latin1FileWithNewCharacterIsSavedAsUtf8()
{
    // Latin-1 has no euro sign: writing it as Latin-1 would turn it into "?".
    writeAll(path("old.php"), "caf\xE9\r\n");
    FileTable files;
    QString error;
    QVERIFY(AddExistingFile(files, path("old.php"), &error));
    ProjectFile &file = files[0];
    QCOMPARE(file.Encoding, TextEncoding::Latin1);
    file.Text += QStringLiteral("\u20AC 5\r\n");
    SaveError saveError;
    QVERIFY(WriteFileToDisk(file, path("old.php"), false, folder(), &saveError));
    QCOMPARE(readAll(path("old.php")), QByteArray("caf\xC3\xA9\r\n\xE2\x82\xAC 5\r\n"));
    QCOMPARE(file.Encoding, TextEncoding::Utf8);
}

void TestAppProjects::templateWrittenInEachFormat_data()
{
    QTest::addColumn<bool>("unix");
    QTest::addColumn<QByteArray>("written");
    QTest::addRow("Windows") << false << QByteArray("<?php\r\n\r\n?>\r\n");
    QTest::addRow("UNIX") << true << QByteArray("<?php\n\n?>\n");
}

void TestAppProjects::templateWrittenInEachFormat()
{
    QFETCH(bool, unix);
    QFETCH(QByteArray, written);
    FileTable files;
    ProjectFile &file = files[files.AddNewFile(folder(), NewFileKind::Php)];
    file.LineFormat = unix ? LineEnds::Unix : LineEnds::Windows;
    SaveError error;
    QVERIFY(WriteFileToDisk(file, file.FileName, true, folder(), &error));
    QCOMPARE(readAll(path("new1.php")), written);
    QVERIFY(!QFile::exists(path("new1.~php")));
}

void TestAppProjects::saveUpdatesTheEntry()
{
    FileTable files;
    ProjectFile &file = files[files.AddNewFile(folder(), NewFileKind::Html)];
    file.Modified = true;
    QVERIFY(QDir(folder()).mkdir(QStringLiteral("pages")));
    SaveError error;
    QVERIFY(WriteFileToDisk(file, path("pages/about.htm"), false, folder(), &error));
    QCOMPARE(file.FileName, path("pages/about.htm"));
    QCOMPARE(file.Path, path("pages/"));
    QCOMPARE(file.FileType, QStringLiteral("HTM"));
    QVERIFY(file.Saved && !file.Modified && !file.IsNew);

    // A bare name lands in the working folder; the entry's folder becomes the project's.
    QDir::setCurrent(folder());
    QVERIFY(WriteFileToDisk(file, QStringLiteral("bare.txt"), false, QStringLiteral("/web/"), &error));
    QCOMPARE(file.Path, QStringLiteral("/web/"));
    QCOMPARE(readAll(path("bare.txt")), QByteArray("<HTML>\r\n\r\n</HTML>\r\n"));
}

void TestAppProjects::backups()
{
    FileTable files;
    ProjectFile &file = files[files.AddNewFile(folder(), NewFileKind::Php)];
    SaveError error;
    const QStringList names{"index.php", "a.php.php", "README"};
    for (const QString &name : names) {
        file.Text = QStringLiteral("first\r\n");
        QVERIFY(WriteFileToDisk(file, path(name), true, folder(), &error));
        file.Text = QStringLiteral("second\r\n");
        QVERIFY(WriteFileToDisk(file, path(name), true, folder(), &error));
        QCOMPARE(readAll(path(name)), QByteArray("second\r\n"));
    }
    QCOMPARE(readAll(path("index.~php")), QByteArray("first\r\n"));
    QCOMPARE(readAll(path("a.~php.~php")), QByteArray("first\r\n"));
    // Nothing to back up at the first save; a name without extension has no backup.
    QCOMPARE(QDir(folder()).entryList(QDir::Files, QDir::Name),
             (QStringList{"README", "a.php.php", "a.~php.~php", "index.php", "index.~php"}));

    file.Text = QStringLiteral("third\r\n");
    QVERIFY(WriteFileToDisk(file, path("index.php"), false, folder(), &error));
    QCOMPARE(readAll(path("index.~php")), QByteArray("first\r\n")); // backups off: untouched
}

void TestAppProjects::saveFailures_data()
{
    QTest::addColumn<QString>("target");
    QTest::addRow("missing folder") << "missing/a.php";
    QTest::addRow("parent is a file") << "plain/a.php";
    QTest::addRow("target is a folder") << "folder.php";
}

void TestAppProjects::saveFailures()
{
    QFETCH(QString, target);
    writeAll(path("plain"), "keep");
    QVERIFY(QDir(folder()).mkdir(QStringLiteral("folder.php")));
    FileTable files;
    ProjectFile &file = files[files.AddNewFile(folder(), NewFileKind::Php)];
    file.Modified = true;
    const QString before = file.FileName;

    SaveError error;
    QVERIFY(!WriteFileToDisk(file, path(target), true, folder(), &error));
    QVERIFY(!error.backup);
    QCOMPARE(error.path, path(target));
    QVERIFY(!error.reason.isEmpty());
    QCOMPARE(error.message(), path(target) + ": " + error.reason);
    QCOMPARE(file.FileName, before);
    QVERIFY(file.Modified && !file.Saved && file.IsNew);
    QCOMPARE(readAll(path("plain")), QByteArray("keep"));
    QVERIFY(QFileInfo(path("folder.php")).isDir());
}

void TestAppProjects::backupThatCannotBeReplacedStopsTheSave()
{
    writeAll(path("index.php"), "old\r\n");
    QVERIFY(QDir(folder()).mkpath(QStringLiteral("index.~php/inside")));
    FileTable files;
    ProjectFile &file = files[files.AddNewFile(folder(), NewFileKind::Php)];
    SaveError error;
    QVERIFY(!WriteFileToDisk(file, path("index.php"), true, folder(), &error));
    QVERIFY(error.backup);
    QCOMPARE(error.message(), "Can't create backup file: " + path("index.~php"));
    QCOMPARE(error.message(QStringLiteral("Backup failed")), "Backup failed: " + path("index.~php"));
    QCOMPARE(readAll(path("index.php")), QByteArray("old\r\n"));
    QVERIFY(file.IsNew && !file.Saved);
}

void TestAppProjects::failedWriteLeavesFileAndBackup_data()
{
    QTest::addColumn<bool>("createBackups");
    QTest::addRow("without backups") << false;
    QTest::addRow("with backups") << true;
}

void TestAppProjects::failedWriteLeavesFileAndBackup()
{
    // Replacing an existing file goes through a temporary name longer than the target's; a
    // name at the length limit makes that fail before anything is replaced.
    QFETCH(bool, createBackups);
    const QString target = path(QString(248, u'n') + QStringLiteral(".php"));
    writeAll(target, "current\r\n");
    writeAll(backupFileName(target), "previous\r\n");
    FileTable files;
    ProjectFile &file = files[files.AddNewFile(folder(), NewFileKind::Php)];
    SaveError error;
    QVERIFY(!WriteFileToDisk(file, target, createBackups, folder(), &error));
    QVERIFY(!error.backup);
    QCOMPARE(readAll(target), QByteArray("current\r\n"));
    QCOMPARE(readAll(backupFileName(target)), QByteArray("previous\r\n"));
    QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), 2);
    QVERIFY(file.IsNew && !file.Saved);
}

void TestAppProjects::binaryAndLargeFilesLoad()
{
    // Every byte value but the line ends survives a binary file's round trip.
    QByteArray binary;
    for (int i = 0; i < 256; ++i) {
        if (i != '\r' && i != '\n')
            binary += char(i);
    }
    writeAll(path("image.bin"), binary.repeated(64));
    FileTable files;
    QString error;
    QVERIFY(AddExistingFile(files, path("image.bin"), &error));
    QCOMPARE(files[0].Encoding, TextEncoding::Latin1);
    SaveError saveError;
    QVERIFY(WriteFileToDisk(files[0], path("image.bin"), false, folder(), &saveError));
    QCOMPARE(readAll(path("image.bin")), binary.repeated(64));

    const QByteArray line("<?php echo 'a line of about fifty bytes'; ?>\n");
    const int lines = 50 * 1024 * 1024 / int(line.size());
    writeAll(path("large.php"), line.repeated(lines));
    QVERIFY(AddExistingFile(files, path("large.php"), &error));
    QCOMPARE(files[1].Text.size(), qsizetype(lines) * (line.size() + 1));
    QVERIFY(files[1].Text.endsWith(QStringLiteral("?>\r\n")));
}

QTEST_GUILESS_MAIN(TestAppProjects)
#include "tst_app_projects.moc"
