#include "ColourComboBox.h"
#include "MainWindow.h"
#include "OptionsDialog.h"
#include "SyntaxColourItems.h"
#include "TypingAids.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

// Tools, Options in the window with the real dialog: what OK writes, byte for byte, and that
// Cancel leaves the disk and the running highlighters as they were.
class TestOptionsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okWritesTheSettingsColoursAndLists();
    void cancelChangesNothing();

private:
    // Opens the dialog from the menu and lets work act on it before it closes.
    void runOptions(const std::function<void(OptionsDialog &)> &work);
    // Every control kind changed once, as a user would.
    static void changeEveryKind(OptionsDialog &dialog);
    QByteArray fileBytes(const QString &path) const;
    QMap<QString, QByteArray> folderBytes() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
};

namespace {

template <typename Widget>
Widget *control(QWidget &dialog, const char *name)
{
    auto *widget = dialog.findChild<Widget *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void pick(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QByteArray sourceData(const char *name)
{
    QFile file(QStringLiteral(VELMORA_SOURCE_DATA_DIR) + '/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestOptionsWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<MainWindow>(ProgramFiles(m_dir->path() + '/', QStringLiteral(VELMORA_SOURCE_DATA_DIR)),
                                            QStringList());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestOptionsWindow::cleanup()
{
    m_window.reset();
    m_dir.reset();
}

QByteArray TestOptionsWindow::fileBytes(const QString &path) const
{
    QFile file(m_dir->filePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QMap<QString, QByteArray> TestOptionsWindow::folderBytes() const
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(m_dir->path()).entryList(QDir::Files))
        files.insert(name, fileBytes(name));
    return files;
}

void TestOptionsWindow::runOptions(const std::function<void(OptionsDialog &)> &work)
{
    bool ran = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        work(*dialog);
        ran = true;
    });
    m_window->findChild<QAction *>(QStringLiteral("Options1"))->trigger();
    QVERIFY(ran);
}

void TestOptionsWindow::changeEveryKind(OptionsDialog &dialog)
{
    control<QCheckBox>(dialog, "cbxGutter")->setChecked(false);
    control<QRadioButton>(dialog, "rbExternal")->setChecked(true);
    QVERIFY(control<QLineEdit>(dialog, "eViewer")->isVisibleTo(&dialog));
    control<QLineEdit>(dialog, "eViewer")->setText(QStringLiteral("/usr/bin/viewer"));
    control<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("abc"));
    pick(control<QComboBox>(dialog, "FontComboBox1"), QStringLiteral("DejaVu Sans Mono"));
    pick(control<ColourComboBox>(dialog, "ColorComboBox1"), QStringLiteral("Yellow"));
    // Keyword: red and bold.
    control<QListWidget>(dialog, "lbItems")->setCurrentRow(3);
    pick(control<ColourComboBox>(dialog, "cbForeColor"), QStringLiteral("Red"));
    control<QCheckBox>(dialog, "cBold")->setChecked(!control<QCheckBox>(dialog, "cBold")->isChecked());
    // A new keyword in the table.
    control<QCheckBox>(dialog, "cbxCustomHighlighting")->setChecked(true);
    control<QToolButton>(dialog, "DBNavigator1_Insert")->click();
    QTableView *keywords = control<QTableView>(dialog, "dxDBGridk");
    keywords->model()->setData(keywords->model()->index(0, 0), QStringLiteral("match2\nsecond line"));
}

void TestOptionsWindow::okWritesTheSettingsColoursAndLists()
{
    runOptions([](OptionsDialog &dialog) {
        changeEveryKind(dialog);
        control<QPushButton>(dialog, "Button1")->click();
    });
    const QString fixtures = QStringLiteral(VELMORA_FIXTURE_DIR "/options/");
    for (const char *name : {"velmora.ini", "velmora.cop", "velmora.coh"}) {
        QFile expected(fixtures + name);
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(fileBytes(name), expected.readAll());
    }
    // The keyword list gained the entry (its first line only) at the top; the function list
    // went back as it was shipped.
    QByteArray keywords = sourceData("phpkw.dat");
    keywords.insert(keywords.indexOf('\n') + 1, "match2\r\n");
    QCOMPARE(fileBytes("phpkw.dat"), keywords);
    QCOMPARE(fileBytes("phpfu.dat"), sourceData("phpfu.dat"));
    // And the window works with them: the completion list offers the new keyword.
    QVERIFY(m_window->typingAids().keywords().contains(QStringLiteral("match2")));
}

void TestOptionsWindow::cancelChangesNothing()
{
    const QMap<QString, QByteArray> before = folderBytes();
    MainHighlighters &highlighters = m_window->highlighters();
    const SyntaxColourItems items(highlighters.xhPHP, highlighters.xhHTML);
    const SyntaxColourItems::Saved colours = items.save();
    bool changedWhileOpen = false;
    runOptions([&](OptionsDialog &dialog) {
        changeEveryKind(dialog);
        changedWhileOpen = items.save() != colours;
        control<QPushButton>(dialog, "Button3")->click();
    });
    QVERIFY(changedWhileOpen);
    QCOMPARE(folderBytes(), before);
    QVERIFY(items.save() == colours);
}

QTEST_MAIN(TestOptionsWindow)
#include "tst_options_window.moc"
