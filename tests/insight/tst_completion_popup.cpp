#include "EditorModel.h"
#include "EditorWidget.h"
#include "ModelTestSupport.h"
#include "SynAutoComplete.h"
#include "SynCompletionProposal.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QtTest>

// The completion list and the template expander on a real editor, driven by its keys.
class TestCompletionPopup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ctrlSpaceOpensAtTheCaret();
    void onlyCtrlSpaceOpensIt();
    void typedCharactersFilterAndReachTheEditor();
    void backspaceShortensTheFilterThenCloses();
    void enterAcceptsAsOneUndoStep();
    void spaceAcceptsThenTypes();
    void keysThatCloseTheList_data();
    void keysThatCloseTheList();
    void selectionKeys();
    void doubleClickAccepts();
    void inputMethodTextFilters();
    void openListStaysOnTheScreen();
    void triggerOpensAfterAPause();
    void typingOnCancelsTheTrigger();
    void detachedListReactsToNothing();
    void readOnlyEditorGetsNoList();
    void focusLossClosesTheList();
    void shiftSpaceExpandsATemplate();

private:
    void load(const QString &marked);
    QStringList shownTexts() const;
    QString selectedText() const;

    std::unique_ptr<EditorWidget> m_editor;
    std::unique_ptr<SynCompletionProposal> m_list;
    std::unique_ptr<SynAutoComplete> m_templates;
};

void TestCompletionPopup::init()
{
    m_editor = std::make_unique<EditorWidget>();
    m_editor->resize(500, 300);
    m_editor->move(50, 50);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    m_editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    m_editor->setFocus();
    m_list = std::make_unique<SynCompletionProposal>();
    m_list->setLists({"echo (PHP keyword)", "else (PHP keyword)", "str_repeat (PHP function)", "strlen (PHP function)",
                      "strpos (PHP function)", "Strtr (PHP function)"},
                     {"echo", "else", "str_repeat", "strlen", "strpos", "Strtr"});
    m_list->attach(m_editor.get());
    m_templates = std::make_unique<SynAutoComplete>();
    m_templates->setAutoCompleteList({"if", "=if (|) {", "=\t", "=}"});
    m_templates->attach(m_editor.get());
}

void TestCompletionPopup::cleanup()
{
    m_templates.reset();
    m_list.reset();
    m_editor.reset();
}

void TestCompletionPopup::load(const QString &marked)
{
    LoadMarked(*m_editor->model(), marked);
    m_editor->model()->ClearUndo();
}

QStringList TestCompletionPopup::shownTexts() const
{
    QStringList texts;
    for (int row : m_list->shownItems())
        texts.append(m_list->itemList()[row]);
    return texts;
}

QString TestCompletionPopup::selectedText() const
{
    return m_list->listView()->currentIndex().data().toString();
}

void TestCompletionPopup::ctrlSpaceOpensAtTheCaret()
{
    load("$n = st|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(m_list->isOpen());
    QCOMPARE(m_list->filter(), QStringLiteral("st"));
    QCOMPARE(shownTexts(), (QStringList{"str_repeat (PHP function)", "strlen (PHP function)", "strpos (PHP function)",
                                        "Strtr (PHP function)"}));
    QCOMPARE(selectedText(), QStringLiteral("str_repeat (PHP function)"));
    // The key typed no space, and the editor keeps the focus.
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("$n = st|"));
    QVERIFY(m_editor->hasFocus());
    const QPoint caret = m_editor->viewport()->mapToGlobal(m_editor->pixelOf(m_editor->model()->CaretXY()));
    QCOMPARE(m_list->form()->pos(), caret + QPoint(0, m_editor->lineHeight()));
    QCOMPARE(m_list->form()->width(), SynCompletionProposal::Width);
    QCOMPARE(m_list->listView()->height() / m_list->listView()->sizeHintForRow(0), SynCompletionProposal::LinesShown);
    QCOMPARE(m_list->form()->findChild<QLabel *>()->text(), QStringLiteral("PHP Keywords and Functions"));
}

void TestCompletionPopup::onlyCtrlSpaceOpensIt()
{
    load("st|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!m_list->isOpen());
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier | Qt::AltModifier);
    QVERIFY(!m_list->isOpen());
}

void TestCompletionPopup::typedCharactersFilterAndReachTheEditor()
{
    load("echo st|;");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClicks(m_editor.get(), "RP");
    QCOMPARE(m_list->filter(), QStringLiteral("stRP"));
    QCOMPARE(shownTexts(), QStringList{"strpos (PHP function)"});
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("echo stRP|;"));
    QTest::keyClick(m_editor.get(), Qt::Key_X);
    QVERIFY(m_list->isOpen()); // an empty list stays open
    QVERIFY(shownTexts().isEmpty());
    // Accepting from an empty list changes nothing.
    QTest::keyClick(m_editor.get(), Qt::Key_Return);
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("echo stRPx|;"));
}

void TestCompletionPopup::backspaceShortensTheFilterThenCloses()
{
    load("e|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_L);
    QCOMPARE(shownTexts(), QStringList{"else (PHP keyword)"});
    QTest::keyClick(m_editor.get(), Qt::Key_Backspace);
    QCOMPARE(m_list->filter(), QStringLiteral("e"));
    QCOMPARE(shownTexts().size(), 2);
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("e|"));
    QTest::keyClick(m_editor.get(), Qt::Key_Backspace);
    QVERIFY(m_list->isOpen());
    QCOMPARE(shownTexts().size(), 6);
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("|"));
    // With an empty filter it closes, and the editor still deletes.
    load("ab|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    m_list->Execute({}, m_list->form()->pos());
    QTest::keyClick(m_editor.get(), Qt::Key_Backspace);
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("a|"));
}

void TestCompletionPopup::enterAcceptsAsOneUndoStep()
{
    load("$n = str|;");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_L);
    QCOMPARE(selectedText(), QStringLiteral("strlen (PHP function)"));
    QTest::keyClick(m_editor.get(), Qt::Key_Return);
    QVERIFY(!m_list->isOpen());
    EditorModel &model = *m_editor->model();
    QCOMPARE(Marked(model), QStringLiteral("$n = strlen|;"));
    QVERIFY(!model.SelAvail());
    model.Undo();
    QCOMPARE(model.Text(), QStringLiteral("$n = strl;\r\n"));
    // Tab accepts too, and the case of the entry wins.
    load("STRT|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_Tab);
    QCOMPARE(Marked(model), QStringLiteral("Strtr|"));
}

void TestCompletionPopup::spaceAcceptsThenTypes()
{
    load("ech|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_Space);
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("echo |"));
}

void TestCompletionPopup::keysThatCloseTheList_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addRow("end of token is typed") << int(Qt::Key_ParenLeft) << "(" << "x = str(|";
    QTest::addRow("bracket is typed") << int(Qt::Key_BracketRight) << "]" << "x = str]|";
    QTest::addRow("brace is not typed") << int(Qt::Key_BraceLeft) << "{" << "x = str|";
    QTest::addRow("letter beyond ASCII is not typed") << 0 << "\u017E" << "x = str|";
    QTest::addRow("Esc") << int(Qt::Key_Escape) << "\x1b" << "x = str|";
    QTest::addRow("Left moves the caret") << int(Qt::Key_Left) << "" << "x = st|r";
}

void TestCompletionPopup::keysThatCloseTheList()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, after);
    load("x = str|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(m_list->isOpen());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(m_editor.get(), &press);
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), after);
}

void TestCompletionPopup::selectionKeys()
{
    load("|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(m_list->selectedRow(), 0);
    const QList<std::pair<Qt::Key, int>> moves{{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1},
                                               {Qt::Key_PageDown, 5}, {Qt::Key_PageUp, 0}, {Qt::Key_End, 5},
                                               {Qt::Key_Home, 0}};
    for (const auto &[key, row] : moves) {
        QTest::keyClick(m_editor.get(), key);
        QCOMPARE(m_list->selectedRow(), row);
    }
    QTest::keyClick(m_editor.get(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(m_list->selectedRow(), 5);
    QTest::keyClick(m_editor.get(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(m_list->selectedRow(), 0);
    QVERIFY(m_list->isOpen());
    QCOMPARE(m_editor->model()->Text(), QStringLiteral("\r\n"));
}

void TestCompletionPopup::doubleClickAccepts()
{
    load("$x = |");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(QTest::qWaitForWindowExposed(m_list->form()));
    QListView *view = m_list->listView();
    const QRect row = view->visualRect(view->model()->index(1, 0));
    // Straight to the list: the offscreen platform hands no mouse events to a tooltip window.
    const QPointF at = row.center();
    const QPointF global = view->viewport()->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(view->viewport(), &event);
    }
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("$x = else|"));
}

void TestCompletionPopup::inputMethodTextFilters()
{
    load("s|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("tr"));
    QApplication::sendEvent(m_editor.get(), &commit);
    QCOMPARE(m_list->filter(), QStringLiteral("str"));
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("str|"));
    QInputMethodEvent beyond;
    beyond.setCommitString(QStringLiteral("\u0161"));
    QApplication::sendEvent(m_editor.get(), &beyond);
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("str|"));
}

void TestCompletionPopup::openListStaysOnTheScreen()
{
    const QRect area = m_editor->screen()->availableGeometry();
    const QSize size = m_list->form()->size();
    m_list->Execute(QStringLiteral("e"), area.bottomRight() - QPoint(10, 10));
    const QRect shown = m_list->form()->geometry();
    QVERIFY2(area.contains(shown), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(shown.x()).arg(shown.y())
                                                  .arg(shown.width()).arg(shown.height())));
    QCOMPARE(shown.size(), size);
    QCOMPARE(shown.bottom(), area.bottom() - 10 - 1);
}

void TestCompletionPopup::triggerOpensAfterAPause()
{
    load("$obj|");
    QTest::keyClick(m_editor.get(), Qt::Key_Period);
    QVERIFY(m_list->timerPending());
    QVERIFY(!m_list->isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(m_list->isOpen(), 2000);
    QCOMPARE(m_list->filter(), QStringLiteral("$obj."));
    QVERIFY(shownTexts().isEmpty());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("$obj.|"));
}

void TestCompletionPopup::typingOnCancelsTheTrigger()
{
    load("$obj|");
    QTest::keyClick(m_editor.get(), Qt::Key_Period);
    QTest::keyClick(m_editor.get(), Qt::Key_N);
    QVERIFY(!m_list->timerPending());
    QTest::qWait(SynCompletionProposal::TimerInterval + 100);
    QVERIFY(!m_list->isOpen());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("$obj.n|"));
}

void TestCompletionPopup::detachedListReactsToNothing()
{
    m_list->detach();
    load("st|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_Period);
    QVERIFY(!m_list->isOpen());
    QVERIFY(!m_list->timerPending());
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("st.|"));
}

void TestCompletionPopup::readOnlyEditorGetsNoList()
{
    load("st|");
    m_editor->model()->SetReadOnly(true);
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!m_list->isOpen());
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(Marked(*m_editor->model()), QStringLiteral("st|"));
}

void TestCompletionPopup::focusLossClosesTheList()
{
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    m_editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    load("st|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(m_list->isOpen());
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!m_list->isOpen());
}

void TestCompletionPopup::shiftSpaceExpandsATemplate()
{
    load("  if|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ShiftModifier);
    EditorModel &model = *m_editor->model();
    QCOMPARE(model.LineCount(), 3);
    QCOMPARE(model.Line(1), QStringLiteral("  if () {"));
    QCOMPARE(model.CaretXY(), (BufferCoord{7, 1}));
    model.Undo();
    QCOMPARE(Marked(model), QStringLiteral("  if|"));
    // A word without a template: the key still types nothing.
    load("else|");
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(Marked(model), QStringLiteral("else|"));
    // Detached, Shift+Space is a space again.
    m_templates->detach();
    QTest::keyClick(m_editor.get(), Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(Marked(model), QStringLiteral("else |"));
}

QTEST_MAIN(TestCompletionPopup)
#include "tst_completion_popup.moc"
