#include "EditorModel.h"
#include "EditorWidget.h"
#include "SynHighlighterHtml.h"
#include "SynHighlighterPHP.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestEditorWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void typingEditsTheText();
    void keysRunCommands_data();
    void keysRunCommands();
    void tabStaysInTheEditor();
    void clipboardRoundTrip();
    void pasteOfNonTextKeepsSelection();
    void mouseMovesAndSelects();
    void paintsGutterSelectionAndRightEdge();
    void paintsTextAfterNul_data();
    void paintsTextAfterNul();
    void gutterWidensForLongTexts();
    void scrollBarFollowsTopLine();
    void horizontalScrollReachesLongLines();
    void inputMethodCommitsText();

private:
    QImage render() const;
    // Whether anything but the background is drawn inside the cells of columns first..last of the line.
    bool inked(const QImage &image, int line, int first, int last) const;
    std::unique_ptr<EditorWidget> m_editor;
    EditorModel *m_model = nullptr;
};

void TestEditorWidget::init()
{
    m_editor = std::make_unique<EditorWidget>();
    m_editor->resize(400, 300);
    m_model = m_editor->model();
    m_model->SetText(u"");
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
    m_editor->setFocus();
}

QImage TestEditorWidget::render() const
{
    QImage image(m_editor->viewport()->size(), QImage::Format_RGB32);
    m_editor->viewport()->render(&image);
    return image;
}

bool TestEditorWidget::inked(const QImage &image, int line, int first, int last) const
{
    const int left = m_editor->pixelOf({first, line}).x() + 1;
    const int right = m_editor->pixelOf({last + 1, line}).x() - 1;
    const int top = m_editor->pixelOf({first, line}).y();
    const QRgb background = image.pixel(left, top);
    for (int y = top; y < top + m_editor->lineHeight(); ++y)
        for (int x = left; x < right; ++x)
            if (image.pixel(x, y) != background)
                return true;
    return false;
}

void TestEditorWidget::typingEditsTheText()
{
    QTest::keyClicks(m_editor.get(), "if ($a) {");
    QTest::keyClick(m_editor.get(), Qt::Key_Return);
    QTest::keyClicks(m_editor.get(), "x");
    QCOMPARE(m_model->Text(), QStringLiteral("if ($a) {\r\nx\r\n"));
    QCOMPARE(m_model->CaretXY(), (BufferCoord{2, 2}));
    QVERIFY(m_model->Modified());

    // Letters with Alt or Ctrl held are commands or menu keys, never text; with both (AltGr) they type.
    QTest::keyClick(m_editor.get(), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(m_model->Text(), QStringLiteral("if ($a) {\r\nx\r\n"));
    QTest::keyClick(m_editor.get(), Qt::Key_At, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(m_model->LineText(), QStringLiteral("x@"));
    QTest::keyClick(m_editor.get(), Qt::Key_Backspace);

    QTest::keyClick(m_editor.get(), Qt::Key_Backspace, Qt::AltModifier);
    QVERIFY(m_model->Text() != QStringLiteral("if ($a) {\r\nx\r\n"));
    while (m_model->CanUndo())
        QTest::keyClick(m_editor.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_model->Text(), QString());
    QTest::keyClick(m_editor.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!m_model->Text().isEmpty());
}

void TestEditorWidget::keysRunCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("line");
    // The text is "    foo bar" over "baz", caret at 9,1 (before "bar").
    QTest::addRow("Home goes to the first non-blank") << int(Qt::Key_Home) << 0 << 5 << 1;
    QTest::addRow("End") << int(Qt::Key_End) << 0 << 12 << 1;
    QTest::addRow("Ctrl+Left word") << int(Qt::Key_Left) << int(Qt::ControlModifier) << 5 << 1;
    QTest::addRow("Down") << int(Qt::Key_Down) << 0 << 9 << 2;
    QTest::addRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << 4 << 2;
    QTest::addRow("Right past the end stays on the line") << int(Qt::Key_Right) << 0 << 10 << 1;
}

void TestEditorWidget::keysRunCommands()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, column);
    QFETCH(int, line);
    m_model->SetText(u"    foo bar\r\nbaz");
    m_model->SetCaretXY({9, 1});
    QTest::keyClick(m_editor.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_model->CaretXY(), (BufferCoord{column, line}));
}

void TestEditorWidget::tabStaysInTheEditor()
{
    QTest::keyClick(m_editor.get(), Qt::Key_Tab);
    QVERIFY(m_editor->hasFocus());
    QCOMPARE(m_model->LineText(), QString(m_model->TabWidth(), u' '));
}

void TestEditorWidget::clipboardRoundTrip()
{
    m_model->SetText(u"alpha beta");
    m_model->SetSelection({1, 1}, {6, 1});
    QTest::keyClick(m_editor.get(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("alpha"));
    m_model->SetCaretXY({11, 1});
    QTest::keyClick(m_editor.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_model->LineText(), QStringLiteral("alpha betaalpha"));
}

void TestEditorWidget::pasteOfNonTextKeepsSelection()
{
    auto *image = new QMimeData;
    image->setData(u"image/png"_s, QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    m_model->SetText(u"alpha beta");
    m_model->SetSelection({1, 1}, {6, 1});
    QTest::keyClick(m_editor.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_editor.get(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_model->LineText(), QStringLiteral("alpha beta"));
    QCOMPARE(m_model->SelText(), QStringLiteral("alpha"));
}

void TestEditorWidget::mouseMovesAndSelects()
{
    m_model->SetText(u"first line\r\nsecond line");
    const QPoint second = m_editor->pixelOf({3, 2}) + QPoint(1, m_editor->lineHeight() / 2);
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(m_model->CaretXY(), (BufferCoord{3, 2}));

    const QPoint start = m_editor->pixelOf({1, 1}) + QPoint(1, 2);
    QTest::mousePress(m_editor->viewport(), Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(second), m_editor->viewport()->mapToGlobal(QPointF(second)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_editor->viewport(), &move);
    QTest::mouseRelease(m_editor->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(m_model->SelText(), QStringLiteral("first line\r\nse"));

    QTest::mouseDClick(m_editor->viewport(), Qt::LeftButton, {}, m_editor->pixelOf({9, 2}) + QPoint(1, 2));
    QCOMPARE(m_model->SelText(), QStringLiteral("line"));
}

void TestEditorWidget::paintsGutterSelectionAndRightEdge()
{
    m_editor->setRightEdge(10);
    m_model->SetText(u"0123456789abcdef\r\nxyz");
    m_model->SetSelection({2, 1}, {5, 1});
    const QImage image = render();
    const int mid = m_editor->lineHeight() / 2;

    QCOMPARE(QColor(image.pixel(1, mid)), QColor(0xC0, 0xC0, 0xC0)); // gutter
    const QPoint selected = m_editor->pixelOf({3, 1});
    QCOMPARE(QColor(image.pixel(selected.x() + 1, selected.y() + 1)), m_editor->palette().color(QPalette::Highlight));
    const QPoint edge = m_editor->pixelOf({11, 2});
    QCOMPARE(QColor(image.pixel(edge.x(), edge.y() + mid)), QColor(0xC0, 0xC0, 0xC0));
    const QPoint blank = m_editor->pixelOf({20, 2});
    QCOMPARE(QColor(image.pixel(blank.x() + 2, blank.y() + mid)), QColor(Qt::white));

    m_editor->setGutterVisible(false);
    QCOMPARE(m_editor->gutterWidth(), 0);
    QCOMPARE(QColor(render().pixel(1, mid)), QColor(Qt::white));
}

void TestEditorWidget::paintsTextAfterNul_data()
{
    QTest::addColumn<QString>("highlighter");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addRow("plain") << QString() << u"ab"_s << u"echo"_s;
    QTest::addRow("PHP code") << u"php"_s << u"$a"_s << u"echo"_s;
    QTest::addRow("PHP string") << u"php"_s << u"'a"_s << u"xyz'"_s;
    QTest::addRow("HTML text") << u"html"_s << u"<b>"_s << u"mmmm"_s;
}

// A NUL ends the line for the highlighters; what follows it is still text the user edits.
void TestEditorWidget::paintsTextAfterNul()
{
    QFETCH(QString, highlighter);
    QFETCH(QString, before);
    QFETCH(QString, after);
    SynPHPSyn php;
    SynHTMLSyn html;
    m_model->SetHighlighter(highlighter == u"php"        ? static_cast<SynCustomHighlighter *>(&php)
                                : highlighter == u"html" ? &html
                                                         : nullptr);
    const QString line = before + QChar(0) + after;
    m_model->SetText(line + u"\r\n"_s + before + QChar(1) + after);
    m_model->SetCaretXY({1, 3});
    const QImage image = render();
    const int nul = int(before.size()) + 1;
    for (int row = 1; row <= 2; ++row) {
        QVERIFY2(inked(image, row, nul, nul), "the control character shows");
        for (int column = nul + 1; column <= line.size(); ++column)
            QVERIFY2(inked(image, row, column, column), qPrintable(u"column %1 of line %2"_s.arg(column).arg(row)));
        // Nothing is drawn past the line's end: the text keeps its cells.
        QVERIFY(!inked(image, row, int(line.size()) + 1, int(line.size()) + 3));
    }
    // Selected text after the NUL keeps its cells too.
    m_model->SetSelection({1, 1}, {int(line.size()) + 1, 1});
    const QImage selected = render();
    const QPoint last = m_editor->pixelOf({int(line.size()), 1});
    QCOMPARE(QColor(selected.pixel(last.x() + 1, last.y() + 1)), m_editor->palette().color(QPalette::Highlight));
    for (int column = nul; column <= line.size(); ++column)
        QVERIFY2(inked(selected, 1, column, column), qPrintable(u"selected column %1"_s.arg(column)));
    m_model->SetHighlighter(nullptr);
}

void TestEditorWidget::gutterWidensForLongTexts()
{
    const int narrow = m_editor->gutterWidth();
    QCOMPARE(narrow, 2 + qCeil(3 * m_editor->charWidth()) + 2);
    m_model->SetText(QStringLiteral("x\r\n").repeated(12000));
    QCOMPARE(m_editor->gutterWidth(), 2 + qCeil(5 * m_editor->charWidth()) + 2);
}

void TestEditorWidget::scrollBarFollowsTopLine()
{
    m_model->SetText(QStringLiteral("line\r\n").repeated(500));
    m_model->SetCaretXY({1, 300});
    QScrollBar *bar = m_editor->verticalScrollBar();
    QCOMPARE(bar->value(), m_model->TopLine());
    QVERIFY(m_model->TopLine() > 200);
    bar->setValue(10);
    QCOMPARE(m_model->TopLine(), 10);
}

void TestEditorWidget::horizontalScrollReachesLongLines()
{
    m_model->SetText(QString(100'000, u'a') + u"\r\nshort"_s);
    QScrollBar *bar = m_editor->horizontalScrollBar();
    QVERIFY2(bar->maximum() >= 100'001 - m_model->CharsInWindow() + 1, qPrintable(QString::number(bar->maximum())));

    bar->setValue(90'000);
    QCOMPARE(m_model->LeftChar(), 90'000);
    const QPoint cell = m_editor->pixelOf({90'010, 1}) + QPoint(1, m_editor->lineHeight() / 2);
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(m_model->CaretXY(), (BufferCoord{90'010, 1}));

    QTest::keyClick(m_editor.get(), Qt::Key_End);
    QCOMPARE(m_model->CaretXY(), (BufferCoord{100'001, 1}));
    QTest::keyClicks(m_editor.get(), "xy");
    QCOMPARE(m_model->Line(1).right(3), QStringLiteral("axy"));
    QCOMPARE(bar->value(), m_model->LeftChar());
    QVERIFY(bar->maximum() >= m_model->LeftChar());
    const QPoint caret = m_editor->pixelOf(m_model->CaretXY());
    QVERIFY2(caret.x() > m_editor->gutterWidth() && caret.x() < m_editor->viewport()->width(),
             qPrintable(QString::number(caret.x())));
}

void TestEditorWidget::inputMethodCommitsText()
{
    QInputMethodEvent preedit(QStringLiteral("ñ"), {});
    QApplication::sendEvent(m_editor.get(), &preedit);
    QCOMPARE(m_model->Text(), QString());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("añb"));
    QApplication::sendEvent(m_editor.get(), &commit);
    QCOMPARE(m_model->LineText(), QStringLiteral("añb"));
    QCOMPARE(m_model->CaretX(), 4);
}

QTEST_MAIN(TestEditorWidget)
#include "tst_editor_widget.moc"
