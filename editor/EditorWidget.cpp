#include "EditorWidget.h"

#include "DisplayColumns.h"
#include "EditorModel.h"
#include "KeyBindings.h"
#include "LinePainter.h"
#include "SynColors.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QtMath>

#include <algorithm>
#include <climits>

namespace {

constexpr int GutterLeftOffset = 2;
constexpr int GutterRightOffset = 2;
constexpr int GutterDigits = 3;
constexpr int TextLeftMargin = 2;

QFont designFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// Characters a key press types: printable, and not a Ctrl combination (Ctrl+Alt is AltGr).
bool isTypedText(const QString &text, Qt::KeyboardModifiers modifiers)
{
    if (text.isEmpty())
        return false;
    // Ctrl or Alt alone make command keys (Alt+F opens the File menu); both together are AltGr
    // on some keyboards and type text.
    const Qt::KeyboardModifiers chord = modifiers & (Qt::ControlModifier | Qt::AltModifier);
    if (chord == Qt::ControlModifier || chord == Qt::AltModifier)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 32 && c.unicode() != 127; });
}

int digitsOf(int number)
{
    int digits = 1;
    while (number >= 10) {
        number /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

struct EditorWidget::PaintContext {
    QPainter &painter;
    QRect exposed;
    int textLeft;
    int firstLine;
    int lastLine;
    int firstColumn;
    int columns;
};

EditorWidget::EditorWidget(QWidget *parent) : QAbstractScrollArea(parent), m_model(new EditorModel(this))
{
    setObjectName(QStringLiteral("mFile"));
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_gutterFont = QApplication::font();
    m_gutterFont.setPixelSize(11);
    m_model->SetOptions(DefaultEditorOptions);
    m_model->SetMaxUndo(EditorModel::DefaultMaxUndo);
    m_model->SetClipboard([] { return QGuiApplication::clipboard()->text(); },
                          [](const QString &text) { QGuiApplication::clipboard()->setText(text); });
    m_model->SetText(u"mFile");
    setEditorFont(designFont());
    connectModel();

    m_caretTimer.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    connect(&m_caretTimer, &QTimer::timeout, this, [this] {
        m_caretShown = !m_caretShown;
        viewport()->update(caretRect());
    });

    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) {
        if (m_model->HasOption(eoShowScrollHint))
            QToolTip::showText(QCursor::pos() + QPoint(-60, 0), tr("Top Line: %1").arg(value), this);
    });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [] { QToolTip::hideText(); });
}

EditorWidget::~EditorWidget() = default;

void EditorWidget::connectModel()
{
    connect(m_model, &EditorModel::LinesChanged, this, &EditorWidget::repaintLines);
    connect(m_model, &EditorModel::Changed, this, &EditorWidget::textChanged);
    connect(m_model, &EditorModel::ViewScrolled, this, [this] {
        updateScrollBars();
        viewport()->update();
    });
    connect(m_model, &EditorModel::CaretMoved, this, [this] {
        restartCaretBlink();
        viewport()->update();
    });
    connect(m_model, &EditorModel::SelectionChanged, viewport(), qOverload<>(&QWidget::update));
    connect(m_model, &EditorModel::StatusChanged, viewport(), qOverload<>(&QWidget::update));
}

// ---- Settings

void EditorWidget::setEditorFont(const QFont &font)
{
    m_font = font;
    if (QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) != 0) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (font.pixelSize() > 0)
            fixed.setPixelSize(font.pixelSize());
        else
            fixed.setPointSizeF(font.pointSizeF());
        m_font = fixed;
    }
    rebuildPainter();
}

void EditorWidget::setGutterVisible(bool visible)
{
    m_gutterVisible = visible;
    updateViewSize();
    viewport()->update();
}

void EditorWidget::setBackgroundColor(SynColor colour)
{
    m_background = colour;
    viewport()->update();
}

void EditorWidget::setRightEdge(int column)
{
    m_rightEdge = column;
    viewport()->update();
}

void EditorWidget::rebuildPainter()
{
    m_painter = std::make_unique<LinePainter>(m_font, palette());
    m_painter->setDefaultForeground(palette().color(QPalette::Text));
    updateViewSize();
    viewport()->update();
}

qreal EditorWidget::charWidth() const
{
    return m_painter->charWidth();
}

int EditorWidget::lineHeight() const
{
    return m_painter->lineHeight();
}

int EditorWidget::gutterWidth() const
{
    if (!m_gutterVisible)
        return 0;
    // Wide enough for the largest line number, so numbers of four or more digits are not cut.
    const int digits = std::max(GutterDigits, digitsOf(m_model->LineCount()));
    return GutterLeftOffset + qCeil(digits * charWidth()) + GutterRightOffset;
}

// ---- Geometry

QPoint EditorWidget::pixelOf(BufferCoord coord) const
{
    const int display = displayColumn(m_model->Line(coord.Line), coord.Char, m_model->TabWidth());
    return {xOfColumn(display), (coord.Line - m_model->TopLine()) * lineHeight()};
}

int EditorWidget::xOfColumn(int display) const
{
    return gutterWidth() + TextLeftMargin + qRound((display - m_model->LeftChar()) * charWidth());
}

BufferCoord EditorWidget::coordAt(QPoint pos) const
{
    const int row = pos.y() >= 0 ? pos.y() / lineHeight() : -1;
    const int line = std::clamp(m_model->TopLine() + row, 1, std::max(1, m_model->LineCount()));
    const int x = pos.x() - gutterWidth() - TextLeftMargin;
    // Round to the nearer cell boundary, as a caret is placed between characters.
    const int display = std::max(1, m_model->LeftChar() + qFloor((x + charWidth() / 2) / charWidth()));
    const QString &text = m_model->Line(line);
    const int column = charColumnAt(text, display, m_model->TabWidth());
    return {std::clamp(column, 1, std::max<int>(EditorModel::MaxLeftChar, text.size() + 1)), line};
}

QRect EditorWidget::caretRect() const
{
    const QPoint at = pixelOf(m_model->CaretXY());
    return {at.x() - 1, at.y(), qCeil(charWidth()) + 2, lineHeight()};
}

void EditorWidget::updateViewSize()
{
    m_shownGutterWidth = gutterWidth();
    m_model->SetLinesInWindow(std::max(1, viewport()->height() / lineHeight()));
    m_model->SetCharsInWindow(
        std::max(1, qFloor((viewport()->width() - gutterWidth() - TextLeftMargin) / charWidth())));
    updateScrollBars();
}

void EditorWidget::updateScrollBars()
{
    const int lines = m_model->LinesInWindow();
    const int lastTop =
        m_model->HasOption(eoScrollPastEof) ? m_model->LineCount() : std::max(1, m_model->LineCount() - lines + 1);
    QScrollBar *vertical = verticalScrollBar();
    const QSignalBlocker blockVertical(vertical);
    vertical->setRange(1, lastTop);
    vertical->setPageStep(lines);
    vertical->setValue(m_model->TopLine());

    const int columns = m_model->CharsInWindow();
    QScrollBar *horizontal = horizontalScrollBar();
    const QSignalBlocker blockHorizontal(horizontal);
    horizontal->setRange(1, std::max(1, m_model->ScrollWidth() - columns + 1));
    horizontal->setPageStep(columns);
    horizontal->setValue(m_model->LeftChar());
}

void EditorWidget::scrollContentsBy(int, int)
{
    m_model->SetTopLine(verticalScrollBar()->value());
    m_model->SetLeftChar(horizontalScrollBar()->value());
    viewport()->update();
}

void EditorWidget::repaintLines(int first, int last)
{
    const int top = (first - m_model->TopLine()) * lineHeight();
    const int bottom = last < 0 ? viewport()->height() : (last - m_model->TopLine() + 1) * lineHeight();
    if (bottom > 0 && top < viewport()->height())
        viewport()->update(0, std::max(0, top), viewport()->width(), bottom - std::max(0, top));
}

void EditorWidget::textChanged()
{
    // A line count that gains a digit widens the gutter and so narrows the text area.
    if (gutterWidth() != m_shownGutterWidth) {
        updateViewSize();
        viewport()->update();
    } else {
        updateScrollBars();
    }
}

void EditorWidget::restartCaretBlink()
{
    m_caretShown = true;
    if (hasFocus())
        m_caretTimer.start();
}

// ---- Painting

void EditorWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    m_painter->setTabWidth(m_model->TabWidth());
    const int first = m_model->TopLine() + event->rect().top() / lineHeight();
    const int last = std::min(m_model->LineCount(), m_model->TopLine() + event->rect().bottom() / lineHeight());
    PaintContext ctx{painter, event->rect(),       gutterWidth() + TextLeftMargin, first,
                     last,    m_model->LeftChar(), m_model->CharsInWindow() + 1};
    QColor background = colorFromSyn(m_background, palette());
    if (!background.isValid())
        background = palette().color(QPalette::Base);
    painter.fillRect(event->rect(), background);
    paintLines(ctx);
    paintRightEdge(ctx);
    paintGutter(ctx);
    paintCaret(ctx);
}

void EditorWidget::paintLines(PaintContext &ctx)
{
    ctx.painter.save();
    ctx.painter.setClipRect(QRect(ctx.textLeft, 0, viewport()->width(), viewport()->height()));
    SynCustomHighlighter *highlighter = m_model->Highlighter();
    for (int line = ctx.firstLine; line <= ctx.lastLine; ++line) {
        const int top = (line - m_model->TopLine()) * lineHeight();
        const LinePainter::LineToPaint text{m_model->Line(line), line - 1, m_model->LineRange(line)};
        m_painter->paintLine(ctx.painter, ctx.textLeft, top, text, highlighter, ctx.firstColumn, ctx.columns);
        paintSelection(ctx, line, top);
    }
    ctx.painter.restore();
}

void EditorWidget::paintSelection(PaintContext &ctx, int line, int top)
{
    const auto selected = m_model->SelectedColumns(line);
    if (!selected)
        return;
    const QString &text = m_model->Line(line);
    const int tab = m_model->TabWidth();
    const int from = displayColumn(text, selected->first, tab);
    const int to = selected->second == INT_MAX ? displayColumn(text, static_cast<int>(text.size()) + 2, tab)
                                               : displayColumn(text, selected->second, tab);
    if (to <= from)
        return;
    const QRect cells(QPoint(xOfColumn(from), top), QPoint(xOfColumn(to) - 1, top + lineHeight() - 1));
    const QColor highlight =
        hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Inactive, QPalette::Highlight);
    ctx.painter.save();
    ctx.painter.setClipRect(cells, Qt::IntersectClip);
    ctx.painter.fillRect(cells, highlight);
    m_painter->paintPlain(ctx.painter, ctx.textLeft, top, text, ctx.firstColumn, ctx.columns,
                          palette().color(QPalette::HighlightedText));
    ctx.painter.restore();
}

void EditorWidget::paintRightEdge(PaintContext &ctx)
{
    if (m_rightEdge <= 0)
        return;
    const int x = xOfColumn(m_rightEdge + 1);
    if (x < ctx.textLeft)
        return;
    ctx.painter.setPen(colorFromSyn(DefaultRightEdgeColor, palette()));
    ctx.painter.drawLine(x, ctx.exposed.top(), x, ctx.exposed.bottom());
}

void EditorWidget::paintGutter(PaintContext &ctx)
{
    const int width = gutterWidth();
    if (width == 0)
        return;
    ctx.painter.fillRect(0, ctx.exposed.top(), width, ctx.exposed.height(),
                         colorFromSyn(DefaultGutterColor, palette()));
    ctx.painter.setFont(m_gutterFont);
    ctx.painter.setPen(palette().color(QPalette::WindowText));
    for (int line = ctx.firstLine; line <= ctx.lastLine; ++line) {
        const QRect cell(0, (line - m_model->TopLine()) * lineHeight(), width - GutterRightOffset, lineHeight());
        ctx.painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, QString::number(line));
    }
}

void EditorWidget::paintCaret(PaintContext &ctx)
{
    const QPoint at = pixelOf(m_dropCaret.value_or(m_model->CaretXY()));
    if (at.x() < ctx.textLeft)
        return;
    if (!m_preedit.isEmpty()) {
        ctx.painter.setFont(m_font);
        ctx.painter.setPen(palette().color(QPalette::Text));
        const QRect area(at.x(), at.y(), qCeil(m_preedit.size() * charWidth()), lineHeight());
        ctx.painter.fillRect(area, colorFromSyn(m_background, palette()));
        ctx.painter.drawText(at.x(), at.y() + m_painter->ascent(), m_preedit);
        ctx.painter.drawLine(area.bottomLeft(), area.bottomRight());
        return;
    }
    if (!m_dropCaret && (!hasFocus() || !m_caretShown))
        return;
    const QColor colour = palette().color(QPalette::Text);
    if (m_model->InsertMode() || m_dropCaret)
        ctx.painter.fillRect(at.x(), at.y(), 2, lineHeight(), colour);
    else
        ctx.painter.fillRect(at.x(), at.y() + lineHeight() / 2, qCeil(charWidth()), lineHeight() - lineHeight() / 2,
                             colour);
}

// ---- Keys and input methods

bool EditorWidget::event(QEvent *event)
{
    // The Tab keys edit text here instead of moving the focus.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void EditorWidget::keyPressEvent(QKeyEvent *event)
{
    const EditorCommand command =
        CommandForKey(event->key(), event->modifiers(), NativeKeyOf(*event, QGuiApplication::platformName()));
    if (command != EditorCommand::None) {
        m_model->ExecuteCommand(command);
    } else if (isTypedText(event->text(), event->modifiers())) {
        m_model->TypeText(event->text());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    restartCaretBlink();
}

void EditorWidget::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        m_model->TypeText(event->commitString());
    m_preedit = event->preeditString();
    viewport()->update();
    event->accept();
}

QVariant EditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return QRect(viewport()->mapToParent(caretRect().topLeft()), caretRect().size());
    case Qt::ImFont: return m_font;
    case Qt::ImSurroundingText: return m_model->LineText();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return std::min<int>(m_model->CaretX() - 1, static_cast<int>(m_model->LineText().size()));
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- Mouse

bool EditorWidget::isInSelection(BufferCoord coord) const
{
    const auto selected = m_model->SelectedColumns(coord.Line);
    return selected && coord.Char >= selected->first && coord.Char < selected->second;
}

void EditorWidget::mousePressEvent(QMouseEvent *event)
{
    const BufferCoord coord = coordAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        if (m_model->HasOption(eoRightMouseMovesCursor) && !isInSelection(coord))
            m_model->SetCaretXY(coord);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_model->HasOption(eoDragDropEditing) && isInSelection(coord) && !(event->modifiers() & Qt::ShiftModifier)) {
        m_dragPending = true;
        m_dragStart = event->position().toPoint();
        return;
    }
    if (m_altColumnMode) {
        m_model->SetSelectionMode(SelectionMode::Normal);
        m_altColumnMode = false;
    }
    if ((event->modifiers() & Qt::AltModifier) && m_model->HasOption(eoAltSetsColumnMode)) {
        m_model->SetSelectionMode(SelectionMode::Column);
        m_altColumnMode = true;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        m_mouseAnchor = m_model->SelAvail() ? m_model->SelectionAnchor() : m_model->CaretXY();
        m_model->SetSelection(m_mouseAnchor, coord);
    } else {
        m_mouseAnchor = coord;
        m_model->SetCaretXY(coord);
    }
    m_mouseSelecting = true;
}

void EditorWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragPending) {
        if ((pos - m_dragStart).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragPending = false;
            startTextDrag();
        }
        return;
    }
    if (!m_mouseSelecting || !(event->buttons() & Qt::LeftButton))
        return;
    m_model->SetSelection(m_mouseAnchor, coordAt(pos));
    m_model->EnsureCursorPosVisible();
}

void EditorWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragPending) {
        // A click inside the selection that never became a drag just places the caret.
        m_dragPending = false;
        m_model->SetCaretXY(coordAt(event->position().toPoint()));
    }
    m_mouseSelecting = false;
}

void EditorWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        selectWordAt(coordAt(event->position().toPoint()));
}

void EditorWidget::selectWordAt(BufferCoord coord)
{
    const QString &line = m_model->Line(coord.Line);
    const CharSet word = m_model->IdentChars();
    const auto isWord = [&](int column) {
        return column >= 1 && column <= line.size() && word.contains(line[column - 1].unicode());
    };
    int start = std::min<int>(coord.Char, static_cast<int>(line.size()) + 1);
    int end = start;
    if (!isWord(start) && isWord(start - 1))
        --start, --end;
    if (!isWord(start))
        return;
    while (isWord(start - 1))
        --start;
    while (isWord(end))
        ++end;
    m_model->SetSelection({start, coord.Line}, {end, coord.Line});
}

void EditorWidget::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popupMenu)
        m_popupMenu->exec(event->globalPos());
}

// ---- Dragging text, and drops

void EditorWidget::startTextDrag()
{
    auto *mime = new QMimeData;
    mime->setText(m_model->SelText());
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    m_droppedOnSelf = false;
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    // Moved into another program: the text leaves this one.
    if (action == Qt::MoveAction && !m_droppedOnSelf)
        m_model->SetSelText(QString());
}

void EditorWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void EditorWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    m_dropCaret = coordAt(event->position().toPoint());
    viewport()->update();
    const bool copy = event->source() != this || (event->modifiers() & Qt::ControlModifier);
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void EditorWidget::dragLeaveEvent(QDragLeaveEvent *)
{
    m_dropCaret.reset();
    viewport()->update();
}

void EditorWidget::dropEvent(QDropEvent *event)
{
    m_dropCaret.reset();
    viewport()->update();
    const QMimeData *mime = event->mimeData();
    if (mime->hasUrls()) {
        QStringList paths;
        for (const QUrl &url : mime->urls())
            if (url.isLocalFile())
                paths.append(url.toLocalFile());
        if (!paths.isEmpty())
            emit filesDropped(paths);
        event->acceptProposedAction();
        return;
    }
    const BufferCoord target = coordAt(event->position().toPoint());
    const bool fromSelf = event->source() == this;
    const bool move = fromSelf && !(event->modifiers() & Qt::ControlModifier);
    if (fromSelf && isInSelection(target)) {
        event->ignore();
        return;
    }
    m_droppedOnSelf = fromSelf;
    m_model->DropText(target, mime->text(), move);
    event->setDropAction(move ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    setFocus();
}

// ---- Focus and look

void EditorWidget::focusInEvent(QFocusEvent *event)
{
    restartCaretBlink();
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void EditorWidget::focusOutEvent(QFocusEvent *event)
{
    m_caretTimer.stop();
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}

void EditorWidget::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateViewSize();
}

void EditorWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        rebuildPainter();
    QAbstractScrollArea::changeEvent(event);
}
