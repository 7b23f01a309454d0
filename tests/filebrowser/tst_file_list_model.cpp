// The file browser's model on temporary folders: masks, file types, order, moving about, names
// that are not UTF-8, and following the disk.
#include "ByteNamedFolder.h"
#include "DiskFiles.h"
#include "ExplorerModel.h"
#include "FolderListing.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

namespace {

// Runs change and waits until the model has listed again.
bool listed(ExplorerModel &model, const std::function<void()> &change)
{
    QSignalSpy filled(&model, &ExplorerModel::filled);
    change();
    return filled.wait(5000);
}

QStringList names(const ExplorerModel &model)
{
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown.append(model.index(row, ExplorerModel::NameColumn).data().toString());
    return shown;
}

QString cell(const ExplorerModel &model, const QString &name, int column)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.index(row, 0).data().toString() == name)
            return model.index(row, column).data().toString();
    return QStringLiteral("<not listed>");
}

} // namespace

class TestFileListModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void masks_data();
    void masks();
    void fileTypes_data();
    void fileTypes();
    void orderIgnoresAsciiCase();
    void columnsOfFilesAndFolders();
    void upAndNormalisedFolders_data();
    void upAndNormalisedFolders();
    void missingFolderIsIgnored();
    void workingFolderNeverChanges();
    void namesThatAreNotPlainText();
    void followsChangesOnDisk();
    void vanishedFolderFallsBackToItsParent();
    void drivesListTheRootAndHome();
    void sizeFormat_data();
    void sizeFormat();

private:
    std::unique_ptr<ByteNamedFolder> m_folder;
    std::unique_ptr<ExplorerModel> m_model;
};

void TestFileListModel::init()
{
    m_folder = std::make_unique<ByteNamedFolder>();
    for (const char *name : {"index.php", "Style.css", "a.js", "README", "page.htm", "page.html", "p.VLMP", "sub/",
                             ".hidden", ".git/", "ro.txt"})
        QVERIFY(m_folder->write(name));
    QVERIFY(::chmod(m_folder->bytes("ro.txt").constData(), 0444) == 0);
    m_model = std::make_unique<ExplorerModel>();
    QVERIFY(listed(*m_model, [this] { m_model->setDirectory(m_folder->path()); }));
}

void TestFileListModel::masks_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("expected");
    const QStringList folders{"..", ".git", "sub"};
    QTest::newRow("every file") << "*.*"
                                << folders + QStringList{".hidden",   "a.js",   "index.php", "p.VLMP",   "page.htm",
                                                         "page.html", "README", "ro.txt",    "Style.css"};
    QTest::newRow("two patterns") << "*.php;*.css" << folders + QStringList{"index.php", "Style.css"};
    QTest::newRow("a file matching two is listed twice")
        << "*.htm*; *.html" << folders + QStringList{"page.htm", "page.html", "page.html"};
    QTest::newRow("empty: folders only") << "" << folders;
    QTest::newRow("nothing matches") << "*.inc" << folders;
    QTest::newRow("names compare exactly") << "*.vlmp" << folders;
    QTest::newRow("no extension") << "READ??" << folders + QStringList{"README"};
}

void TestFileListModel::masks()
{
    QFETCH(QString, mask);
    QFETCH(QStringList, expected);
    if (mask != m_model->mask())
        QVERIFY(listed(*m_model, [&] { m_model->setMask(mask); }));
    QCOMPARE(names(*m_model), expected);
}

void TestFileListModel::fileTypes_data()
{
    QTest::addColumn<int>("types");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("no hidden") << int(FileType(FileTypeFlag::ftReadOnly)) << QStringList{".git", ".hidden"};
    QTest::newRow("no read-only") << int(FileType(FileTypeFlag::ftHidden)) << QStringList{"ro.txt"};
    QTest::newRow("neither") << 0 << QStringList{".git", ".hidden", "ro.txt"};
}

void TestFileListModel::fileTypes()
{
    QFETCH(int, types);
    QFETCH(QStringList, left);
    QVERIFY(listed(*m_model, [&] { m_model->setFileType(FileType::fromInt(types)); }));
    const QStringList shown = names(*m_model);
    for (const QString &name : left)
        QVERIFY2(!shown.contains(name), qPrintable(name));
    QVERIFY(shown.contains(u".."));
    QVERIFY(shown.contains(u"index.php"));
}

void TestFileListModel::orderIgnoresAsciiCase()
{
    ByteNamedFolder folder;
    for (const char *name : {"b.txt", "a.txt", "A.txt", "C.txt", "_x", "\xc3\xa9t\xc3\xa9", "Zed/", "alpha/", "Beta/"})
        QVERIFY(folder.write(name));
    QVERIFY(listed(*m_model, [&] { m_model->setDirectory(folder.path()); }));
    QCOMPARE(names(*m_model),
             (QStringList{"..", "alpha", "Beta", "Zed", "A.txt", "a.txt", "b.txt", "C.txt", "_x",
                          QString::fromUtf8("été")}));
}

void TestFileListModel::columnsOfFilesAndFolders()
{
    QCOMPARE(cell(*m_model, "ro.txt", ExplorerModel::SizeColumn), QStringLiteral("1"));
    QCOMPARE(cell(*m_model, "sub", ExplorerModel::SizeColumn), QStringLiteral(" "));
    QCOMPARE(cell(*m_model, "ro.txt", ExplorerModel::AttributesColumn), QStringLiteral("R"));
    QCOMPARE(cell(*m_model, ".hidden", ExplorerModel::AttributesColumn), QStringLiteral("H"));
    QCOMPARE(cell(*m_model, ".git", ExplorerModel::AttributesColumn), QStringLiteral("H"));
    QCOMPARE(cell(*m_model, "..", ExplorerModel::AttributesColumn), QString());
    QCOMPARE(cell(*m_model, "index.php", ExplorerModel::TypeColumn),
             QMimeDatabase().mimeTypeForName("application/x-php").comment());
    QCOMPARE(cell(*m_model, "p.VLMP", ExplorerModel::TypeColumn), QStringLiteral("VLMP file"));
    QCOMPARE(m_model->headerData(ExplorerModel::TypeColumn, Qt::Horizontal).toString(), QStringLiteral("Type"));
    const QList<int> widths{140, 70, 150, 120, 60};
    for (int column = 0; column < widths.size(); ++column)
        QCOMPARE(m_model->columnWidth(column), widths[column]);
    const int sub = int(names(*m_model).indexOf(u"sub"));
    QCOMPARE(m_model->index(sub, 0).data(ExplorerModel::PathRole).toString(), m_folder->path("sub/"));
    QCOMPARE(m_model->index(sub, 0).data(ExplorerModel::KindRole).toString(), QStringLiteral("dir"));
}

void TestFileListModel::upAndNormalisedFolders_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("expected");
    QTest::newRow("folder") << "/usr/share/"
                            << "/usr/";
    QTest::newRow("top folder") << "/usr/"
                                << "/";
    QTest::newRow("root gives the drives") << "/"
                                           << "Drives";
    QTest::newRow("drives stay") << "Drives"
                                 << "Drives";
}

void TestFileListModel::upAndNormalisedFolders()
{
    QFETCH(QString, from);
    QFETCH(QString, expected);
    m_model->setDirectory(from);
    m_model->up();
    QCOMPARE(m_model->directory(), expected);
    // A path with ".." in it is stored as the folder it names.
    QVERIFY(m_model->setDirectory(m_folder->path("sub/..")));
    QCOMPARE(m_model->directory(), m_folder->path());
    QVERIFY(m_model->setDirectory(QStringLiteral("sub")));
    QCOMPARE(m_model->directory(), m_folder->path("sub/"));
}

void TestFileListModel::missingFolderIsIgnored()
{
    QVERIFY(!m_model->setDirectory(m_folder->path("gone/")));
    QVERIFY(!m_model->setDirectory(m_folder->path("index.php")));
    QCOMPARE(m_model->directory(), m_folder->path());
    QVERIFY(names(*m_model).contains(u"index.php"));
}

void TestFileListModel::workingFolderNeverChanges()
{
    const QString before = currentFolder();
    QVERIFY(listed(*m_model, [&] { m_model->setDirectory(m_folder->path("sub")); }));
    m_model->up();
    QCOMPARE(currentFolder(), before);
}

void TestFileListModel::namesThatAreNotPlainText()
{
    const QByteArray foreign = "caf\xe9 menu.php"; // Latin-1, not UTF-8
    QVERIFY(m_folder->write(foreign, "<?php"));
    QVERIFY(m_folder->write("with blank.php"));
    QVERIFY(m_folder->write("\xc5\xbeuto.php")); // "žuto.php"
    QVERIFY(listed(*m_model, [&] { m_model->refresh(); }));
    const QStringList shown = names(*m_model);
    QVERIFY(shown.contains(u"with blank.php"));
    QVERIFY(shown.contains(QString::fromUtf8("žuto.php")));
    const int row = int(shown.indexOf(QString::fromUtf8("caf\xef\xbf\xbd menu.php")));
    QVERIFY(row > 0);
    // The path keeps the name's bytes, so the file opens.
    const QString path = m_model->index(row, 0).data(ExplorerModel::PathRole).toString();
    QCOMPARE(pathToBytes(path), m_folder->bytes(foreign));
    QByteArray bytes;
    ReadFailure failure;
    QVERIFY(readDiskFile(path, 1000, &bytes, &failure));
    QCOMPARE(bytes, QByteArray("<?php"));
}

void TestFileListModel::followsChangesOnDisk()
{
    QVERIFY(m_folder->write("new.php"));
    QTRY_VERIFY(names(*m_model).contains(u"new.php"));
    QVERIFY(::unlink(m_folder->bytes("new.php").constData()) == 0);
    QTRY_VERIFY(!names(*m_model).contains(u"new.php"));
}

void TestFileListModel::vanishedFolderFallsBackToItsParent()
{
    QVERIFY(m_folder->write("sub/deeper/"));
    QVERIFY(listed(*m_model, [&] { m_model->setDirectory(m_folder->path("sub/deeper/")); }));
    QVERIFY(m_folder->removeAll());
    QVERIFY(m_model->setDirectory(m_folder->path("sub/deeper/")) == false);
    m_model->refresh();
    QCOMPARE(m_model->directory(), parentFolderOf(m_folder->path()));
    QTRY_VERIFY(!m_model->filling());
    QVERIFY(names(*m_model).contains(u".."));
}

void TestFileListModel::drivesListTheRootAndHome()
{
    QVERIFY(listed(*m_model, [&] { m_model->setDirectory(QStringLiteral("drives")); }));
    QCOMPARE(m_model->directory(), QStringLiteral("Drives"));
    QVERIFY(m_model->rowCount() >= 2);
    QCOMPARE(m_model->index(0, 0).data(ExplorerModel::PathRole).toString(), QStringLiteral("/"));
    QCOMPARE(m_model->index(1, 0).data(ExplorerModel::PathRole).toString(), QDir::homePath() + u'/');
    QCOMPARE(m_model->index(0, 0).data(ExplorerModel::KindRole).toString(), QStringLiteral("drv"));
    QVERIFY(!m_model->index(0, ExplorerModel::SizeColumn).data().toString().isEmpty()); // the type text
    QVERIFY(m_model->index(0, ExplorerModel::TypeColumn).data().toString().contains(u','));
    QCOMPARE(m_model->headerData(ExplorerModel::ModifiedColumn, Qt::Horizontal).toString(),
             QStringLiteral("Free Space"));
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QString path = m_model->index(row, 0).data(ExplorerModel::PathRole).toString();
        QVERIFY2(!path.startsWith(u"/proc") && !path.startsWith(u"/sys"), qPrintable(path));
    }
}

void TestFileListModel::sizeFormat_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("three digits") << qint64(999) << "999";
    QTest::newRow("four digits") << qint64(1000) << "1,000";
    QTest::newRow("terabytes") << qint64(1234567890123) << "1,234,567,890,123";
}

void TestFileListModel::sizeFormat()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(groupedSize(bytes), text);
}

QTEST_GUILESS_MAIN(TestFileListModel)
#include "tst_file_list_model.moc"
