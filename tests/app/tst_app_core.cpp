#include "EditorKeys.h"
#include "IniFile.h"
#include "JpegPicture.h"
#include "PlacementStore.h"
#include "ProgramFiles.h"
#include "ProjectHistory.h"
#include "SysOptions.h"
#include "TestFiles.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

IniFile loadedIni(const QString &path, const QByteArray &bytes)
{
    writeAll(path, bytes);
    IniFile ini(path);
    [&] { QVERIFY(ini.load()); }();
    return ini;
}

} // namespace

class TestAppCore : public QObject
{
    Q_OBJECT

private slots:
    void integerReading_data();
    void integerReading();
    void namesMatchWithoutCase();
    void firstMatchWins();
    void valuesAreCutAt2047Characters();
    void writeKeepsEveryOtherLine();
    void unchangedFileIsNotRewritten();
    void unwritableFileReportsItsName();

    void missingFileGivesDefaultsAndWritesNothing();
    void defaultsWriteExactBytes();
    void booleanReadAsInteger();
    void sizesAreClampedWhenRead_data();
    void sizesAreClampedWhenRead();
    void customHighlightingKeyKeepsItsEntry();
    void settingsRoundTrip();
    void languageIndex();

    void historyDeduplicatesExactly();
    void historyFileFormat();

    void fileNameRule_data();
    void fileNameRule();
    void settingsFolder();
    void dataFilesPreferTheSettingsFolder();

    void placementRoundTripPerScreenSize();
    void placementProperties();

    void editorKeys_data();
    void editorKeys();

    void jpegPictures_data();
    void jpegPictures();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestAppCore::integerReading_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::addRow("decimal") << QByteArray("12") << 12;
    QTest::addRow("negative") << QByteArray("-7") << -7;
    QTest::addRow("blanks around") << QByteArray("  14  ") << 14;
    QTest::addRow("hex lower 0x") << QByteArray("0x10") << 16;
    QTest::addRow("hex upper 0X") << QByteArray("0X1f") << 31;
    QTest::addRow("hex system colour") << QByteArray("0x80000005") << int(0x80000005u);
    QTest::addRow("0x alone is no number") << QByteArray("0x") << 99;
    QTest::addRow("hex with junk") << QByteArray("0x1g") << 99;
    QTest::addRow("letters") << QByteArray("abc") << 99;
    QTest::addRow("trailing junk") << QByteArray("12abc") << 99;
    QTest::addRow("empty") << QByteArray("") << 99;
    QTest::addRow("too large") << QByteArray("4294967296") << 99;
    QTest::addRow("quoted") << QByteArray("\"8\"") << 8;
}

void TestAppCore::integerReading()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    const IniFile ini = loadedIni(path("int.ini"), "[S]\r\nK=" + value + "\r\n");
    QCOMPARE(ini.readInteger(u"S", u"K", 99), expected);
}

void TestAppCore::namesMatchWithoutCase()
{
    const IniFile ini = loadedIni(path("case.ini"), "[eDiToR]\nfontsize = 12\n[ General ]\nVIEWERNAME=/usr/bin/x\n");
    QCOMPARE(ini.readInteger(u"Editor", u"FontSize", 0), 12);
    QCOMPARE(ini.readString(u"general", u"ViewerName", {}), QStringLiteral("/usr/bin/x"));
    QCOMPARE(ini.readString(u"General", u"Missing", QStringLiteral("fallback")), QStringLiteral("fallback"));
}

void TestAppCore::firstMatchWins()
{
    const IniFile ini = loadedIni(path("dup.ini"), "[A]\nK=1\nK=2\n[a]\nK=3\nL=4\n");
    QCOMPARE(ini.readInteger(u"A", u"K", 0), 1);
    // Only the first section of a name is searched, as the profile functions do.
    QCOMPARE(ini.readInteger(u"A", u"L", 0), 0);
}

void TestAppCore::valuesAreCutAt2047Characters()
{
    const QByteArray longValue(3000, 'x');
    const IniFile ini = loadedIni(path("long.ini"), "[S]\nK=" + longValue + "\n");
    QCOMPARE(ini.readString(u"S", u"K", {}).size(), IniFile::MaxValueLength);
}

void TestAppCore::writeKeepsEveryOtherLine()
{
    IniFile ini =
        loadedIni(path("keep.ini"), "; a comment\r\n[Editor]\r\nFontSize=12\r\nUnknown=yes\r\n\r\n[Other]\r\nX=1\r\n");
    ini.writeInteger(u"editor", u"FONTSIZE", 14);
    ini.writeString(u"Editor", u"FontName", QStringLiteral("Mono"));
    ini.writeBool(u"General", u"CreateBackups", false);
    QString error;
    QVERIFY(ini.save(&error));
    QCOMPARE(readAll(ini.path()),
             QByteArray("; a comment\r\n[Editor]\r\nFONTSIZE=14\r\nUnknown=yes\r\nFontName=Mono\r\n\r\n"
                        "[Other]\r\nX=1\r\n[General]\r\nCreateBackups=0\r\n"));
}

void TestAppCore::unchangedFileIsNotRewritten()
{
    // Line ends would turn into CR LF on a rewrite; a file with nothing new keeps its bytes.
    const QByteArray bytes("[Editor]\nFontSize=12\n");
    IniFile ini = loadedIni(path("same.ini"), bytes);
    ini.writeInteger(u"Editor", u"FontSize", 12);
    QString error;
    QVERIFY(ini.save(&error));
    QCOMPARE(readAll(ini.path()), bytes);
}

void TestAppCore::unwritableFileReportsItsName()
{
    writeAll(path("plainfile"), "x");
    const QString target = path("plainfile/velmora.ini");
    IniFile ini(target);
    QVERIFY(ini.load());
    ini.writeInteger(u"Editor", u"FontSize", 12);
    QString error;
    QVERIFY(!ini.save(&error));
    QCOMPARE(error, QStringLiteral("Unable to write to ") + target);
}

void TestAppCore::missingFileGivesDefaultsAndWritesNothing()
{
    IniFile ini(path("absent.ini"));
    QVERIFY(ini.load());
    QCOMPARE(readSysOptions(ini), SysOptions());
    QCOMPARE(readLanguageIndex(ini), 0);
    QVERIFY(!QFile::exists(ini.path()));
}

void TestAppCore::defaultsWriteExactBytes()
{
    IniFile ini(path("defaults.ini"));
    QVERIFY(ini.load());
    writeSysOptions(ini, SysOptions());
    QString error;
    QVERIFY(ini.save(&error));
    QCOMPARE(readAll(ini.path()),
             QByteArray("[Editor]\r\nFontName=\r\nFontSize=10\r\nBackGroundColor=16777215\r\nRightEdge=250\r\n"
                        "Gutter=1\r\nAutoIndent=1\r\nSmartTabs=1\r\nPHPVars=1\r\nPHPDefault=0\r\n"
                        "PHPCustomhighlighting=0\r\nAutoComplete=1\r\nCompletionProposal=1\r\nTabWidth=3\r\n"
                        "[General]\r\nExternalViewer=0\r\nViewerName=\r\nWarnAboutSave=1\r\n"
                        "PreviewAsFileName=0\r\nAcceptParameter=1\r\nCreateBackups=1\r\nOpenLastUsed=1\r\n"
                        "BuiltInServer=0\r\n"));
}

void TestAppCore::booleanReadAsInteger()
{
    IniFile ini = loadedIni(path("bool.ini"), "[Editor]\r\nGutter=2\r\nSmartTabs=0\r\nAutoIndent=yes\r\n");
    const SysOptions options = readSysOptions(ini);
    QVERIFY(options.Gutter);
    QVERIFY(!options.SmartTabs);
    QVERIFY(options.AutoIndent); // not a number: the default
    writeSysOptions(ini, options);
    QVERIFY(ini.toBytes().contains("Gutter=1\r\n"));
}

void TestAppCore::sizesAreClampedWhenRead_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QList<int>>("tabRightFont");
    QTest::addRow("in range") << QByteArray("TabWidth=4\r\nRightEdge=80\r\nFontSize=12\r\n") << QList<int>{4, 80, 12};
    QTest::addRow("huge") << QByteArray("TabWidth=2147483647\r\nRightEdge=2147483647\r\nFontSize=2147483647\r\n")
                          << QList<int>{64, 10000, 96};
    QTest::addRow("negative") << QByteArray("TabWidth=-5\r\nRightEdge=-1\r\nFontSize=-3\r\n") << QList<int>{1, 0, 4};
    QTest::addRow("zero") << QByteArray("TabWidth=0\r\nRightEdge=0\r\nFontSize=0\r\n") << QList<int>{1, 0, 4};
}

void TestAppCore::sizesAreClampedWhenRead()
{
    QFETCH(QByteArray, lines);
    QFETCH(QList<int>, tabRightFont);
    writeAll(path("sizes.ini"), "[Editor]\r\n" + lines);
    IniFile ini(path("sizes.ini"));
    QVERIFY(ini.load());
    const SysOptions options = readSysOptions(ini);
    QCOMPARE((QList<int>{options.TabWidth, options.RightEdge, options.FontSize}), tabRightFont);
}

void TestAppCore::customHighlightingKeyKeepsItsEntry()
{
    IniFile ini = loadedIni(path("custom.ini"), "[Editor]\r\nPHPCustomHighlighting=1\r\n");
    const SysOptions options = readSysOptions(ini);
    QVERIFY(options.PHPCustomHighlighting);
    writeSysOptions(ini, options);
    const QByteArray bytes = ini.toBytes();
    QVERIFY(bytes.startsWith("[Editor]\r\nPHPCustomhighlighting=1\r\n"));
    QCOMPARE(bytes.count("ighlighting="), 1);
}

void TestAppCore::settingsRoundTrip()
{
    SysOptions options;
    options.FontName = QStringLiteral("DejaVu Sans Mono");
    options.FontSize = 0x10;
    options.BackGroundColor = int(0x80000005u);
    options.ViewerName = QStringLiteral("/usr/bin/firefox");
    options.TabWidth = 8;
    options.PHPDefault = true;
    options.OpenLastUsed = false;
    IniFile written(path("round.ini"));
    QVERIFY(written.load());
    writeSysOptions(written, options);
    QString error;
    QVERIFY(written.save(&error));
    IniFile read(path("round.ini"));
    QVERIFY(read.load());
    QCOMPARE(readSysOptions(read), options);
}

void TestAppCore::languageIndex()
{
    IniFile ini = loadedIni(path("lang.ini"), "[Language]\r\nLanguage=0x3\r\n");
    QCOMPARE(readLanguageIndex(ini), 3);
    writeLanguageIndex(ini, 2);
    QCOMPARE(ini.toBytes(), QByteArray("[Language]\r\nLanguage=2\r\n"));
}

void TestAppCore::historyDeduplicatesExactly()
{
    ProjectHistory history;
    history.add(QStringLiteral("/web/a.vlmp"));
    history.add(QStringLiteral("/web/b.vlmp"));
    history.add(QStringLiteral("/web/b.vlmp"));
    QCOMPARE(history.paths(), QStringList({"/web/b.vlmp", "/web/a.vlmp"}));
    // Linux file names differ by case, so these are two projects.
    history.add(QStringLiteral("/WEB/A.VLMP"));
    QCOMPARE(history.paths(), QStringList({"/WEB/A.VLMP", "/web/b.vlmp", "/web/a.vlmp"}));
    // Adding an entry of the list itself, as reopening the newest one does.
    history.add(history.paths()[1]);
    QCOMPARE(history.paths(), QStringList({"/web/b.vlmp", "/WEB/A.VLMP", "/web/a.vlmp"}));
    history.add(history.paths()[0]);
    QCOMPARE(history.paths(), QStringList({"/web/b.vlmp", "/WEB/A.VLMP", "/web/a.vlmp"}));
}

void TestAppCore::historyFileFormat()
{
    ProjectHistory history;
    QVERIFY(history.load(path("none.his")));
    QVERIFY(history.isEmpty());
    QVERIFY(history.save(path("empty.his")));
    QCOMPARE(readAll(path("empty.his")), QByteArray());

    history.add(QStringLiteral("/one.vlmp"));
    history.add(QStringLiteral("/two.vlmp"));
    QVERIFY(history.save(path("two.his")));
    QCOMPARE(readAll(path("two.his")), QByteArray("/two.vlmp\r\n/one.vlmp\r\n"));

    writeAll(path("mixed.his"), "/a.vlmp\n\n/b.vlmp\r/c.vlmp");
    QVERIFY(history.load(path("mixed.his")));
    QCOMPARE(history.paths(), QStringList({"/a.vlmp", "/b.vlmp", "/c.vlmp"}));
    QVERIFY(!history.save(path("two.his/x.his")));

}

void TestAppCore::fileNameRule_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("expected");
    QTest::addRow("settings") << "C:\\Tools\\Editor.exe"
                              << ".INI"
                              << "C:\\TOOLS\\EDITOR.INI";
    QTest::addRow("history") << "C:\\Tools\\Editor.exe"
                             << ".HIS"
                             << "C:\\TOOLS\\EDITOR.HIS";
    QTest::addRow("folder named .exe") << "C:\\X.EXE\\EDITOR.EXE"
                                       << ".INI"
                                       << "C:\\X.INI\\EDITOR.INI";
    QTest::addRow("no .exe at all") << "/usr/bin/velmora"
                                    << ".INI"
                                    << "/USR/BIN/VELMORA";
}

void TestAppCore::fileNameRule()
{
    QFETCH(QString, program);
    QFETCH(QString, extension);
    QFETCH(QString, expected);
    QCOMPARE(programListFileName(program, extension), expected);
}

void TestAppCore::settingsFolder()
{
    const QString program = path("prog");
    QVERIFY(QDir().mkpath(program));
    QCOMPARE(ProgramFiles::chooseSettingsDir(path("given"), program, "/xdg"), path("given") + '/');
    QCOMPARE(ProgramFiles::chooseSettingsDir({}, program, "/xdg"), QStringLiteral("/xdg/velmora/"));
    QCOMPARE(ProgramFiles::chooseSettingsDir({}, program, {}), QDir::homePath() + "/.config/velmora/");
    writeAll(program + "/velmora.ini", "");
    QCOMPARE(ProgramFiles::chooseSettingsDir({}, program, "/xdg"), program + '/');

    const ProgramFiles files(path("s"), path("d"));
    QCOMPARE(files.settingsFile(), path("s/velmora.ini"));
    QCOMPARE(files.historyFile(), path("s/velmora.his"));
    QCOMPARE(files.phpColourFile(), path("s/velmora.cop"));
    QCOMPARE(files.htmlColourFile(), path("s/velmora.coh"));
}

void TestAppCore::dataFilesPreferTheSettingsFolder()
{
    QVERIFY(QDir().mkpath(path("set")));
    const ProgramFiles files(path("set"), path("shipped"));
    QCOMPARE(files.dataFile("phpkw.dat"), path("shipped/phpkw.dat"));
    writeAll(path("set/phpkw.dat"), "x");
    QCOMPARE(files.dataFile("phpkw.dat"), path("set/phpkw.dat"));
    QCOMPARE(files.dataFile("phpfu.dat"), path("shipped/phpfu.dat"));
}

void TestAppCore::placementRoundTripPerScreenSize()
{
    const QString file = path("placement.ini");
    WindowPlacement big;
    big.showCmd = WindowPlacement::Maximized;
    big.normal = QRect(100, 50, 785, 542);
    WindowPlacement small = big;
    small.showCmd = WindowPlacement::Normal;
    small.normal = QRect(10, 20, 600, 400);
    {
        PlacementStore store(file);
        store.writePlacement("TForm_Main", big, QSize(1920, 1080));
        store.writePlacement("TForm_Main", small, QSize(1024, 768));
        QVERIFY(store.flush());
    }
    const PlacementStore store(file);
    QCOMPARE(store.readPlacement("TForm_Main", QSize(1920, 1080))->normal, big.normal);
    QCOMPARE(store.readPlacement("TForm_Main", QSize(1024, 768)), small);
    // An unknown screen size falls back to the plain values, which the last write left.
    QCOMPARE(store.readPlacement("TForm_Main", QSize(800, 600))->normal, small.normal);
    QVERIFY(!store.readPlacement("TForm_CodeExplorer", QSize(800, 600)));

    const QSettings raw(file, QSettings::IniFormat);
    QCOMPARE(raw.value("TForm_Main/NormPos(1920x1080)").toString(), QStringLiteral("100,50,885,592"));
    QCOMPARE(raw.value("TForm_Main/MinMaxPos").toString(), QStringLiteral("-1,-1,-1,-1"));
    QCOMPARE(raw.value("TForm_Main/ShowCmd").toString(), QStringLiteral("1"));
}

void TestAppCore::placementProperties()
{
    const QString file = path("props.ini");
    {
        PlacementStore store(file);
        store.writeProperty("TForm_Main", "pnlProject.Width", 230);
        store.writeProperty("TForm_Main", "ToolBar1.Visible", false);
        store.writeProperty("TForm_Main", "cbMask.Text", QStringLiteral("*.php*"));
        QVERIFY(store.flush());
    }
    const QSettings raw(file, QSettings::IniFormat);
    QCOMPARE(raw.value("TForm_Main/ToolBar1.Visible").toString(), QStringLiteral("False"));
    QCOMPARE(raw.value("TForm_Main/pnlProject.Width").toString(), QStringLiteral("230"));

    const PlacementStore store(file);
    QCOMPARE(store.readProperty("TForm_Main", "pnlProject.Width", 200), QVariant(230));
    QCOMPARE(store.readProperty("TForm_Main", "ToolBar1.Visible", true), QVariant(false));
    QCOMPARE(store.readProperty("TForm_Main", "cbMask.Text", QString()), QVariant(QStringLiteral("*.php*")));
    QCOMPARE(store.readProperty("TForm_Main", "pnlFiles.Height", 250), QVariant(250));
}

void TestAppCore::editorKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("phpVars");
    QTest::addColumn<QString>("fileType");
    QTest::addColumn<EditorKeyCommand>("command");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    QTest::addRow("Ctrl+S") << int(Qt::Key_S) << ctrl << "\x13" << true << "PHP" << EditorKeyCommand::Save;
    QTest::addRow("Ctrl+Shift+S") << int(Qt::Key_S) << (ctrl | Qt::ShiftModifier) << "" << true << "PHP"
                                  << EditorKeyCommand::None;
    QTest::addRow("s") << int(Qt::Key_S) << none << "s" << true << "PHP" << EditorKeyCommand::None;
    QTest::addRow("F3") << int(Qt::Key_F3) << none << "" << true << "HTML" << EditorKeyCommand::RepeatSearch;
    QTest::addRow("Shift+F3") << int(Qt::Key_F3) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "" << true << "HTML"
                              << EditorKeyCommand::None;
    QTest::addRow("$ in PHP") << int(Qt::Key_Dollar) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "$" << true << "PHP"
                              << EditorKeyCommand::PickVariable;
    QTest::addRow("$ in INC") << int(Qt::Key_Dollar) << none << "$" << true << "INC" << EditorKeyCommand::PickVariable;
    QTest::addRow("$ in HTML") << int(Qt::Key_Dollar) << none << "$" << true << "HTML" << EditorKeyCommand::None;
    QTest::addRow("$ type compared exactly")
        << int(Qt::Key_Dollar) << none << "$" << true << "php" << EditorKeyCommand::None;
    QTest::addRow("$ with PHPVars off") << int(Qt::Key_Dollar) << none << "$" << false << "PHP"
                                        << EditorKeyCommand::None;
    QTest::addRow("$ with no file") << int(Qt::Key_Dollar) << none << "$" << true << "" << EditorKeyCommand::None;
}

void TestAppCore::editorKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, phpVars);
    QFETCH(QString, fileType);
    QFETCH(EditorKeyCommand, command);
    QCOMPARE(editorKeyCommand({key, modifiers, text}, phpVars, fileType), command);
}

void TestAppCore::jpegPictures_data()
{
    QFile shipped(QStringLiteral(VELMORA_SOURCE_DATA_DIR "/preview-bar.jpg"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray bytes = shipped.readAll();
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size"); // 0 x 0: no picture, for bytes that cannot be read
    QTest::addRow("the preview bar's picture") << bytes << QSize(1024, 30);
    QTest::addRow("cut short") << bytes.left(bytes.size() / 2) << QSize(0, 0);
    QTest::addRow("only the header") << bytes.left(20) << QSize(0, 0);
    QTest::addRow("not a picture") << QByteArray("<?php echo 1; ?>") << QSize(0, 0);
    QTest::addRow("nothing") << QByteArray() << QSize(0, 0);
}

void TestAppCore::jpegPictures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const QImage picture = decodeJpeg(bytes);
    QCOMPARE(picture.size(), size);
    if (!picture.isNull()) // a light blue-grey, lighter at the left
        QVERIFY(picture.pixelColor(0, 0).lightness() > picture.pixelColor(1023, 29).lightness());
}

QTEST_GUILESS_MAIN(TestAppCore)
#include "tst_app_core.moc"
