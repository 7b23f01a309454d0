#pragma once

#include "EditorTypes.h"
#include "SynHighlighterAttributes.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QTimer>

#include <memory>

class EditorModel;
class LinePainter;
class QMenu;

// The editor window: paints the model's visible lines with the highlighter's colours, a gutter
// of line numbers and the right edge, and turns keys, mouse, drops and input methods into the
// model's commands. Everything the text does lives in the model.
class EditorWidget : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr SynColor DefaultGutterColor = 0xC0C0C0; // silver
    static constexpr SynColor DefaultRightEdgeColor = 0xC0C0C0;

    explicit EditorWidget(QWidget *parent = nullptr);
    ~EditorWidget() override;

    EditorModel *model() const { return m_model; }

    // A font the system lacks falls back to its fixed-width font of the same size.
    void setEditorFont(const QFont &font);
    QFont editorFont() const { return m_font; }
    void setGutterVisible(bool visible);
    bool gutterVisible() const { return m_gutterVisible; }
    void setBackgroundColor(SynColor colour);
    SynColor backgroundColor() const { return m_background; }
    void setRightEdge(int column);
    int rightEdge() const { return m_rightEdge; }
    void setPopupMenu(QMenu *menu) { m_popupMenu = menu; }

    int gutterWidth() const;
    qreal charWidth() const;
    int lineHeight() const;
    // Where a text position is drawn in the viewport (its cell's top-left), and the reverse.
    QPoint pixelOf(BufferCoord coord) const;
    // The left edge of a screen column in the viewport.
    int xOfColumn(int displayColumn) const;
    BufferCoord coordAt(QPoint viewportPos) const;

signals:
    // Files dragged from the desktop and dropped on the editor.
    void filesDropped(const QStringList &paths);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct PaintContext;

    void connectModel();
    void rebuildPainter();
    void updateViewSize();
    void updateScrollBars();
    void repaintLines(int first, int last);
    void textChanged();
    void restartCaretBlink();
    QRect caretRect() const;
    bool isInSelection(BufferCoord coord) const;
    void selectWordAt(BufferCoord coord);
    void startTextDrag();

    void paintLines(PaintContext &ctx);
    void paintSelection(PaintContext &ctx, int line, int top);
    void paintRightEdge(PaintContext &ctx);
    void paintGutter(PaintContext &ctx);
    void paintCaret(PaintContext &ctx);

    EditorModel *m_model;
    std::unique_ptr<LinePainter> m_painter;
    QFont m_font;
    QFont m_gutterFont;
    SynColor m_background = 0xFFFFFF;
    int m_rightEdge = 80;
    bool m_gutterVisible = true;
    int m_shownGutterWidth = 0;
    QMenu *m_popupMenu = nullptr;

    QTimer m_caretTimer;
    bool m_caretShown = true;
    QString m_preedit;

    // Mouse selection and dragging of text.
    BufferCoord m_mouseAnchor;
    bool m_mouseSelecting = false;
    bool m_altColumnMode = false;
    QPoint m_dragStart;
    bool m_dragPending = false;
    bool m_droppedOnSelf = false;
    std::optional<BufferCoord> m_dropCaret;
};
