#pragma once

#include "ui/response/bodydocument.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>

#include <functional>

namespace mako {

/// Paints the rows of a BodyDocument: a gutter of row numbers and the rows beside it, 17
/// pixels each, never wrapped, scrolling both ways. Only the rows in sight are decoded and
/// drawn, so the cost of a frame does not grow with the body. Text can be selected with the
/// mouse or Ctrl+A and copied with Ctrl+C, over any range.
class BodyView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 17;

    /// Colours for the rows painted, as (start, length, colour) runs over the row's decoded
    /// text; the view calls it for visible rows only.
    struct Run {
        int start;
        int length;
        QColor color;
    };
    using Highlighter = std::function<QList<Run>(const QString& row, const QPalette& palette)>;

    explicit BodyView(QWidget* parent = nullptr);

    void setDocument(BodyDocument* document);
    BodyDocument* document() const { return m_document; }
    void setHighlighter(Highlighter highlighter);
    /// Shows or hides the gutter of row numbers.
    void setLineNumbersVisible(bool visible);
    /// The width of the row-number gutter; 0 while it is hidden.
    int gutterWidth() const;

    /// The first row in sight.
    qint64 firstVisibleRow() const;
    /// Brings `row` into sight and selects `length` bytes of it from `byte`.
    void revealRow(qint64 row, qint64 byte = 0, qint64 length = 0);

    /// The rows in sight, joined by line feeds: what screen readers are given.
    QString visibleText() const;

    /// What a row shows: its number in the gutter, its text and its background.
    enum class Background { none, stripe, match };
    struct RowLook {
        QString number;
        QString text;
        Background background;
    };
    /// How `row` (< the document's rowCount) is painted.
    RowLook rowLook(qint64 row) const;

    bool hasSelection() const { return m_anchor != m_cursor; }
    void selectAll();
    /// Puts the selected text on the clipboard (from a pool thread for large selections).
    void copySelection();
    /// Where a search for the next match starts: the end of the selection.
    BodyPosition selectionEnd() const { return std::max(m_anchor, m_cursor); }

Q_SIGNALS:
    /// Ctrl+F (the platform's Find keys) was pressed in the view.
    void findRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void handleRowsChanged();
    void updateScrollBars();
    int visibleRowCount() const;
    BodyPosition positionAt(const QPoint& point) const;
    void paintRow(QPainter& painter, qint64 row, int y);
    /// The row's text (the part in sight, for a long row) laid out as it is painted.
    struct RowLayout;
    RowLayout layOut(QByteArrayView bytes, bool coloured) const;
    void paintSelection(QPainter& painter, qint64 row, const RowLayout& layout, int y);
    int xOfByte(QByteArrayView bytes, qint64 byte) const;
    qint64 byteAtX(QByteArrayView bytes, int x) const;
    int textOrigin() const;

    QPointer<BodyDocument> m_document;
    Highlighter m_highlighter;
    QFont m_font;
    QFont m_gutterFont;
    bool m_lineNumbersVisible = true;
    /// The advance of one column; fractional, as the font's is, so that estimates of a long
    /// row's extent do not drift.
    qreal m_charWidth = 7;
    BodyPosition m_anchor;
    BodyPosition m_cursor;
    qint64 m_shownRows = -1;
};

} // namespace mako
