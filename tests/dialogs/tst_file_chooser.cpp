#include "ByteNamedFolder.h"
#include "FileChooserDialog.h"
#include "FileFilters.h"
#include "FolderListing.h"
#include "NativePath.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

// File filters, folder listings by byte names, and the file chooser built on them.
class TestFileChooser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void filters_data();
    void filters();
    void patterns_data();
    void patterns();
    void listingOrderAndMasks();
    void listingErrorsAndRoot();
    void parentFolders_data();
    void parentFolders();
    void chooserPicksForeignNames();
    void chooserWalksFolders();
    void saveAddsTheSuffixAndAsksBeforeReplacing();
    void openRefusesAMissingFile();
    void folderModeChoosesTheFolderShown();

private:
    QString path(QByteArrayView name) const { return m_folder->path(name); }
    void touch(QByteArrayView name) { QVERIFY2(m_folder->write(name), name.data()); }
    QStringList listed(const QStringList &patterns, bool withHidden) const;
    // Presses the button of the next message box once it shows; its text is kept.
    void answerNextBox(QMessageBox::StandardButton button);

    std::unique_ptr<ByteNamedFolder> m_folder;
    QString m_boxText;
};

void TestFileChooser::init()
{
    m_folder = std::make_unique<ByteNamedFolder>();
    QVERIFY(m_folder->isValid());
    m_boxText.clear();
}

void TestFileChooser::cleanup()
{
    QVERIFY(m_folder->removeAll());
}

QStringList TestFileChooser::listed(const QStringList &patterns, bool withHidden) const
{
    QStringList names;
    for (const FolderEntry &entry : readFolder(m_folder->path(), patterns, withHidden).entries)
        names.append(displayPath(entry.name) + (entry.isFolder ? QStringLiteral("/") : QString()));
    return names;
}

void TestFileChooser::answerNextBox(QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, this, [this, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        m_boxText = box->text();
        box->button(button)->click();
    });
}

void TestFileChooser::filters_data()
{
    QTest::addColumn<QString>("pipes");
    QTest::addColumn<QList<FileFilter>>("filters");
    QTest::addRow("every file, with or without an extension")
        << "All Files|*.*" << QList<FileFilter>{{"All Files", {"*"}}};
    QTest::addRow("several patterns") << "PHP Files|*.php; *.php3; *.inc"
                                      << QList<FileFilter>{{"PHP Files", {"*.php", "*.php3", "*.inc"}}};
    QTest::addRow("several filters") << "HTML Files|*.html; *.htm|All Files|*.*"
                                     << QList<FileFilter>{{"HTML Files", {"*.html", "*.htm"}}, {"All Files", {"*"}}};
    QTest::addRow("a caption without patterns is dropped") << "Odd" << QList<FileFilter>{};
}

void TestFileChooser::filters()
{
    QFETCH(QString, pipes);
    QFETCH(QList<FileFilter>, filters);
    QCOMPARE(parseFileFilters(pipes), filters);
}

void TestFileChooser::patterns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::addRow("extension") << "index.php"
                               << "*.php" << true;
    QTest::addRow("case-sensitive") << "INDEX.PHP"
                                    << "*.php" << false;
    QTest::addRow("no extension with *") << "Makefile"
                                         << "*" << true;
    QTest::addRow("question mark") << "a1.php"
                                   << "a?.php" << true;
    QTest::addRow("question mark needs one") << "a.php"
                                             << "a?.php" << false;
    QTest::addRow("star backtracks") << "a.php.bak.php"
                                     << "*.php" << true;
    QTest::addRow("star in the middle") << "page.html"
                                        << "*.htm*" << true;
    QTest::addRow("longer than the pattern") << "a.phpx"
                                             << "*.php" << false;
    QTest::addRow("empty name") << ""
                                << "*" << true;
}

void TestFileChooser::patterns()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(matchesPattern(name, pattern), matches);
}

void TestFileChooser::listingOrderAndMasks()
{
    for (const char *name : {"b.php", "A.php", "c.txt", "Zeta/", "alpha/", ".hidden.php", ".config/", "caf\xE9.php"})
        touch(name);
    QCOMPARE(listed({"*"}, false), (QStringList{"../", "alpha/", "Zeta/", "A.php", "b.php", "c.txt", "caf\uFFFD.php"}));
    QCOMPARE(listed({"*.php"}, true),
             (QStringList{"../", ".config/", "alpha/", "Zeta/", ".hidden.php", "A.php", "b.php", "caf\uFFFD.php"}));
    // Every file once, whatever number of patterns it matches; no pattern lists the folders.
    QCOMPARE(listed({"*.php", "b*"}, false),
             (QStringList{"../", "alpha/", "Zeta/", "A.php", "b.php", "caf\uFFFD.php"}));
    QCOMPARE(listed({}, false), (QStringList{"../", "alpha/", "Zeta/"}));
    const FolderContents contents = readFolder(m_folder->path(), {"caf*"}, false);
    QCOMPARE(pathToBytes(contents.entries.last().name), QByteArray("caf\xE9.php"));
    QCOMPARE(contents.entries.last().size, 1);
}

void TestFileChooser::listingErrorsAndRoot()
{
    const FolderContents missing = readFolder(path("gone/"), {"*"}, false);
    QVERIFY(missing.entries.isEmpty());
    QCOMPARE(missing.error, QString::fromLocal8Bit(strerror(ENOENT)));
    const FolderContents root = readFolder(QStringLiteral("/"), {"*"}, false);
    QVERIFY(root.error.isEmpty());
    QVERIFY(!root.entries.isEmpty());
    QVERIFY(root.entries.first().name != u"..");
}

void TestFileChooser::parentFolders_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("parent");
    QTest::addRow("folder") << "/srv/site/"
                            << "/srv/";
    QTest::addRow("without slash") << "/srv/site"
                                   << "/srv/";
    QTest::addRow("top folder") << "/srv/"
                                << "/";
    QTest::addRow("root") << "/"
                          << "/";
}

void TestFileChooser::parentFolders()
{
    QFETCH(QString, folder);
    QFETCH(QString, parent);
    QCOMPARE(parentFolderOf(folder), parent);
}

void TestFileChooser::chooserPicksForeignNames()
{
    touch("caf\xE9.php");
    touch("plain.php");
    FileChooserDialog chooser(FileChooserDialog::Mode::Open, QStringLiteral("Add File"), m_folder->path(),
                              parseFileFilters(QStringLiteral("PHP Files|*.php|All Files|*.*")));
    QTreeWidget *list = chooser.list();
    QCOMPARE(list->topLevelItemCount(), 3); // "..", then the two files
    QTreeWidgetItem *foreign = list->topLevelItem(1);
    QCOMPARE(foreign->text(0), QStringLiteral("caf\uFFFD.php"));
    list->setCurrentItem(foreign);
    QCOMPARE(chooser.nameBox()->text(), QStringLiteral("caf\uFFFD.php"));
    emit list->itemActivated(foreign, 0);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(pathToBytes(chooser.chosenPath()), m_folder->bytes() + "caf\xE9.php");
}

void TestFileChooser::chooserWalksFolders()
{
    touch("sub\xE9/");
    touch("sub\xE9/inner.php");
    FileChooserDialog chooser(FileChooserDialog::Mode::Open, QStringLiteral("Open"), m_folder->path(),
                              parseFileFilters(QStringLiteral("All Files|*.*")));
    QTreeWidget *list = chooser.list();
    emit list->itemActivated(list->topLevelItem(1), 0);
    QCOMPARE(pathToBytes(chooser.folder()), m_folder->bytes() + "sub\xE9/");
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("inner.php"));
    emit list->itemActivated(list->topLevelItem(0), 0); // ".."
    QCOMPARE(pathToBytes(chooser.folder()), m_folder->bytes());
    // A typed folder name opens that folder instead of choosing it.
    chooser.nameBox()->setText(QStringLiteral("sub\uFFFD"));
    chooser.choose();
    QCOMPARE(chooser.result(), int(QDialog::Rejected));
}

void TestFileChooser::saveAddsTheSuffixAndAsksBeforeReplacing()
{
    touch("taken.php");
    FileChooserDialog fresh(FileChooserDialog::Mode::Save, QStringLiteral("Save"), m_folder->path(),
                            parseFileFilters(QStringLiteral("PHP Files|*.php")), QStringLiteral("php"));
    fresh.nameBox()->setText(QStringLiteral("new"));
    fresh.choose();
    QCOMPARE(fresh.chosenPath(), path("new.php"));

    // The proposed name is the file's own, with its exact bytes.
    FileChooserDialog again(FileChooserDialog::Mode::Save, QStringLiteral("Save"), path("taken.php"),
                            parseFileFilters(QStringLiteral("PHP Files|*.php")), QStringLiteral("php"));
    QCOMPARE(again.nameBox()->text(), QStringLiteral("taken.php"));
    answerNextBox(QMessageBox::No);
    again.choose();
    QCOMPARE(m_boxText, QStringLiteral("taken.php already exists.\nDo you want to replace it?"));
    QCOMPARE(again.chosenPath(), QString());
    answerNextBox(QMessageBox::Yes);
    again.choose();
    QCOMPARE(again.chosenPath(), path("taken.php"));
}

void TestFileChooser::openRefusesAMissingFile()
{
    FileChooserDialog chooser(FileChooserDialog::Mode::Open, QStringLiteral("Open"), m_folder->path(),
                              parseFileFilters(QStringLiteral("All Files|*.*")));
    chooser.nameBox()->setText(QStringLiteral("nothing.php"));
    answerNextBox(QMessageBox::Ok);
    chooser.choose();
    QCOMPARE(m_boxText, QStringLiteral("nothing.php\nFile not found.\nCheck the file name."));
    QCOMPARE(chooser.chosenPath(), QString());
}

void TestFileChooser::folderModeChoosesTheFolderShown()
{
    touch("site\xE9/");
    touch("page.php");
    FileChooserDialog chooser(FileChooserDialog::Mode::Folder, QString(), m_folder->path(), {});
    QCOMPARE(chooser.list()->topLevelItemCount(), 2); // "..", the folder; no files
    emit chooser.list()->itemActivated(chooser.list()->topLevelItem(1), 0);
    chooser.choose();
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(pathToBytes(chooser.chosenPath()), m_folder->bytes() + "site\xE9/");
}

QTEST_MAIN(TestFileChooser)
#include "tst_file_chooser.moc"
