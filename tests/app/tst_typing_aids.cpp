#include "EditorModel.h"
#include "EditorWidget.h"
#include "ProgramFiles.h"
#include "SysOptions.h"
#include "SynHighlighterGeneral.h"
#include "TypingAids.h"

#include <QTemporaryDir>
#include <QtTest>

// The typing aids as the main window feeds them: from the data files, and switched by the settings.
class TestTypingAids : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settingsFolderCopyWins();
    void changedFilesTakeEffectAtTheNextReload();
    void missingFileKeepsItsList();
    void settingsAttachAndDetach();
    void shippedListsAreComplete();

private:
    void write(const QString &folder, const char *name, const QByteArray &bytes);

    QTemporaryDir m_dir;
    std::unique_ptr<ProgramFiles> m_files;
    std::unique_ptr<EditorWidget> m_editor;
    SynGeneralSyn m_custom;
    std::unique_ptr<TypingAids> m_aids;
    SysOptions m_options;
};

void TestTypingAids::init()
{
    QVERIFY(QDir(m_dir.path()).mkpath("settings") && QDir(m_dir.path()).mkpath("shipped"));
    m_files = std::make_unique<ProgramFiles>(m_dir.filePath("settings/"), m_dir.filePath("shipped/"));
    m_editor = std::make_unique<EditorWidget>();
    m_aids = std::make_unique<TypingAids>(*m_files, *m_editor, m_custom);
    m_options = SysOptions{};
    write("shipped", "phpkw.dat", "Keywords\r\necho\r\n");
    write("shipped", "phpfu.dat", "Functions\r\nstrlen\r\n");
    write("shipped", "phpac.dat", "if\r\n=if (|)\r\n");
}

void TestTypingAids::cleanup()
{
    m_aids.reset();
    m_editor.reset();
    for (const char *folder : {"settings", "shipped"})
        QDir(m_dir.filePath(folder)).removeRecursively();
}

void TestTypingAids::write(const QString &folder, const char *name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(folder + '/' + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    // Every write counts as a change, even within the file system's time resolution.
    static int tick = 0;
    file.setFileTime(QDateTime::currentDateTime().addSecs(++tick), QFileDevice::FileModificationTime);
}

void TestTypingAids::settingsFolderCopyWins()
{
    write("settings", "phpkw.dat", "Keywords\r\nmatch\r\n");
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->SynCP().insertList(), (QStringList{"match", "strlen"}));
    QCOMPARE(m_aids->SynCP().itemList(), (QStringList{"match (PHP keyword)", "strlen (PHP function)"}));
    QCOMPARE(m_aids->SynAC().autoCompleteList(), (QStringList{"if", "=if (|)"}));
    // The custom highlighting colours the same words.
    QCOMPARE(m_custom.KeyWords(), (QStringList{"match", "strlen"}));
}

void TestTypingAids::changedFilesTakeEffectAtTheNextReload()
{
    m_aids->ReloadCompletionData(m_options);
    write("shipped", "phpfu.dat", "Functions\r\nstrlen\r\nstrpos\r\n");
    write("shipped", "phpac.dat", "fn\r\n=fn() => |\r\n");
    QCOMPARE(m_aids->SynCP().insertList(), (QStringList{"echo", "strlen"}));
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->SynCP().insertList(), (QStringList{"echo", "strlen", "strpos"}));
    QCOMPARE(m_aids->SynAC().autoCompleteList(), (QStringList{"fn", "=fn() => |"}));
    // The Options dialog writes its copy into the settings folder: that one is read next.
    write("settings", "phpfu.dat", "Functions\r\nabs\r\n");
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->functions(), QStringList{"abs"});
}

void TestTypingAids::missingFileKeepsItsList()
{
    m_aids->ReloadCompletionData(m_options);
    QVERIFY(QFile::remove(m_dir.filePath("shipped/phpkw.dat")));
    QVERIFY(QFile::remove(m_dir.filePath("shipped/phpac.dat")));
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->keywords(), QStringList{"echo"});
    QCOMPARE(m_aids->SynAC().autoCompleteList(), (QStringList{"if", "=if (|)"}));
}

void TestTypingAids::settingsAttachAndDetach()
{
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->SynCP().editor(), m_editor.get());
    QCOMPARE(m_aids->SynAC().editor(), m_editor.get());
    m_options.CompletionProposal = false;
    m_options.AutoComplete = false;
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->SynCP().editor(), nullptr);
    QVERIFY(m_aids->SynCP().itemList().isEmpty());
    QCOMPARE(m_aids->SynAC().editor(), nullptr);
    // Switched on again, the lists are filled from what was read before.
    m_options.CompletionProposal = true;
    m_aids->ReloadCompletionData(m_options);
    QCOMPARE(m_aids->SynCP().itemList(), (QStringList{"echo (PHP keyword)", "strlen (PHP function)"}));
    QCOMPARE(m_aids->SynCP().editor(), m_editor.get());
}

void TestTypingAids::shippedListsAreComplete()
{
    const ProgramFiles shipped(m_dir.filePath("settings/"), QStringLiteral(VELMORA_SOURCE_DATA_DIR));
    SynGeneralSyn custom;
    TypingAids aids(shipped, *m_editor, custom);
    aids.ReloadCompletionData(m_options);
    for (const char *keyword : {"match", "enum", "readonly", "fn", "yield", "from", "__CLASS__", "echo", "namespace"})
        QVERIFY2(aids.keywords().contains(QLatin1String(keyword)), keyword);
    QVERIFY(aids.functions().size() > 1000);
    QVERIFY(std::is_sorted(aids.functions().begin(), aids.functions().end()));
    for (const char *function : {"strlen", "str_contains", "array_map", "preg_match", "json_encode", "iconv"})
        QVERIFY2(aids.functions().contains(QLatin1String(function)), function);
    const QStringList &templates = aids.SynAC().autoCompleteList();
    for (const char *key : {"if", "ifelse", "for", "foreach", "foreachk", "while", "do", "switch", "match", "function",
                            "fn", "class", "interface", "trait", "enum", "try", "pubf", "ctor", "html"}) {
        const qsizetype at = findTemplate(templates, QString::fromLatin1(key));
        QVERIFY2(at >= 0, key);
        QString body;
        for (qsizetype line = at + 1; line < templates.size() && templates[line].startsWith('='); ++line)
            body += templates[line];
        QVERIFY2(body.contains('|'), key);
    }
}

QTEST_MAIN(TestTypingAids)
#include "tst_typing_aids.moc"
