#include "ui/response/bodyview.h"

#include "ui/common/colors.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// Rows longer than this are decoded only around what is in sight; a minified body of many
// megabytes on one line would otherwise be decoded whole on every frame.
constexpr qint64 kWholeRowBytes = 16 * 1024;
constexpr int kGutterPad = 6;
constexpr int kTextPad = 6;
// The horizontal extent the scroll bar can express.
constexpr qint64 kMaxWidth = 1 << 30;
// Columns between tab stops.
constexpr int kTabColumns = 4;

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Moves `byte` back to the start of the UTF-8 sequence it falls in.
qint64 alignToCharacter(QByteArrayView bytes, qint64 byte)
{
    while (byte > 0 && byte < bytes.size() && isContinuationByte(bytes[byte]))
        --byte;
    return byte;
}

// The view paints its own text, so screen readers and UI automation read it from here: a
// read-only text whose value is the rows in sight.
class BodyViewAccessible : public QAccessibleWidget {
public:
    explicit BodyViewAccessible(BodyView* view)
        : QAccessibleWidget(view, QAccessible::EditableText)
    { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return static_cast<BodyView*>(widget())->visibleText();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }
};

QAccessibleInterface* makeBodyViewAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(BodyView::staticMetaObject.className()) && object
        && object->isWidgetType())
        return new BodyViewAccessible(static_cast<BodyView*>(object));
    return nullptr;
}

} // namespace

// Text, selection and find highlight are all placed from one layout of the row, so a match
// sits on its text whatever the characters before it: tabs, wide or combining characters and
// glyphs whose advance is not a whole pixel.
struct BodyView::RowLayout {
    std::unique_ptr<QTextLayout> layout = std::make_unique<QTextLayout>();
    QByteArrayView bytes;
    // The laid-out text is bytes [start, end); it begins at `left` from the text origin.
    qint64 start = 0;
    qint64 end = 0;
    qreal left = 0;
    qreal charWidth = 1;

    qreal width() const { return layout->lineAt(0).naturalTextWidth(); }

    qreal xOfByte(qint64 byte) const
    {
        if (byte < start)
            return left - qreal(start - byte) * charWidth;
        if (byte > end)
            return left + width() + qreal(byte - end) * charWidth;
        const int index = int(QString::fromUtf8(bytes.sliced(start, byte - start)).size());
        return left + layout->lineAt(0).cursorToX(index);
    }

    qint64 byteAtX(qreal x) const
    {
        if (x < left)
            return alignToCharacter(
                bytes, std::max<qint64>(0, start - qint64((left - x) / charWidth + 0.5)));
        if (x > left + width())
            return alignToCharacter(bytes,
                std::min(bytes.size(), end + qint64((x - left - width()) / charWidth + 0.5)));
        const int index = layout->lineAt(0).xToCursor(x - left);
        return start + QStringView(layout->text()).first(index).toUtf8().size();
    }
};

BodyView::BodyView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(makeBodyViewAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setObjectName(u"responseBodyView"_s);
    setAccessibleName(tr("Response body"));
    setFocusPolicy(Qt::StrongFocus);
    m_font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_font.setPixelSize(12);
    m_gutterFont = m_font;
    m_gutterFont.setPixelSize(11);
    m_charWidth = std::max(1.0, QFontMetricsF(m_font).horizontalAdvance(u'M'));
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void BodyView::setDocument(BodyDocument* document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (document)
        connect(document, &BodyDocument::rowsChanged, this, [this](bool replaced) {
            if (replaced) {
                m_anchor = m_cursor = {};
                verticalScrollBar()->setValue(0);
            }
            handleRowsChanged();
        });
    m_anchor = m_cursor = {};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    handleRowsChanged();
}

void BodyView::setHighlighter(Highlighter highlighter)
{
    m_highlighter = std::move(highlighter);
    viewport()->update();
}

void BodyView::handleRowsChanged()
{
    updateScrollBars();
    viewport()->update();
}

int BodyView::visibleRowCount() const
{
    return std::max(1, viewport()->height() / kRowHeight);
}

void BodyView::updateScrollBars()
{
    const qint64 rows = m_document ? m_document->rowCount() : 0;
    // The vertical bar counts rows, so that a body of a hundred million lines still fits in
    // its int range.
    const qint64 maxRow = std::max<qint64>(0, rows - visibleRowCount());
    verticalScrollBar()->setRange(0, int(std::min<qint64>(maxRow, INT_MAX)));
    verticalScrollBar()->setPageStep(visibleRowCount());
    verticalScrollBar()->setSingleStep(1);
    const qint64 longest = m_document ? m_document->longestLine() : 0;
    const qint64 width = std::min(kMaxWidth, qint64((longest + 1) * m_charWidth) + kTextPad * 2);
    const int textWidth = std::max(0, viewport()->width() - gutterWidth());
    horizontalScrollBar()->setRange(0, int(std::max<qint64>(0, width - textWidth)));
    horizontalScrollBar()->setPageStep(textWidth);
    horizontalScrollBar()->setSingleStep(int(m_charWidth * 4));
}

void BodyView::setLineNumbersVisible(bool visible)
{
    if (visible == m_lineNumbersVisible)
        return;
    m_lineNumbersVisible = visible;
    updateScrollBars();
    viewport()->update();
}

int BodyView::gutterWidth() const
{
    if (!m_lineNumbersVisible)
        return 0;
    const qint64 rows = m_document ? m_document->rowCount() : 0;
    const int digits = std::max(2, int(QString::number(std::max<qint64>(rows, 1)).size()));
    return digits * QFontMetrics(m_gutterFont).horizontalAdvance(u'0') + 2 * kGutterPad;
}

int BodyView::textOrigin() const
{
    return gutterWidth() + kTextPad - horizontalScrollBar()->value();
}

qint64 BodyView::firstVisibleRow() const
{
    return verticalScrollBar()->value();
}

QString BodyView::visibleText() const
{
    QStringList rows;
    const qint64 count = m_document ? m_document->rowCount() : 0;
    for (qint64 row = firstVisibleRow();
         row < std::min(count, firstVisibleRow() + visibleRowCount()); ++row)
        rows.append(rowLook(row).text);
    return rows.join(u'\n');
}

BodyView::RowLook BodyView::rowLook(qint64 row) const
{
    const QByteArrayView bytes = m_document->rowBytes(row);
    RowLook look {QString::number(row + 1),
        QString::fromUtf8(bytes.first(std::min(bytes.size(), kWholeRowBytes))), Background::none};
    if (m_document->isFiltered())
        look.background = Background::match;
    else if (row % 2 == 1)
        look.background = Background::stripe;
    return look;
}

BodyView::RowLayout BodyView::layOut(QByteArrayView bytes, bool coloured) const
{
    RowLayout row;
    row.bytes = bytes;
    row.end = bytes.size();
    row.charWidth = m_charWidth;
    // A long row is laid out only from a little before the left edge to past the right one.
    if (bytes.size() > kWholeRowBytes) {
        const qint64 firstColumn = qint64(horizontalScrollBar()->value() / m_charWidth);
        row.start = alignToCharacter(bytes, std::clamp<qint64>(firstColumn - 8, 0, bytes.size()));
        const qint64 span = qint64(viewport()->width() / m_charWidth) + 64;
        row.end = alignToCharacter(bytes, std::min(bytes.size(), row.start + span));
        row.left = qreal(row.start) * m_charWidth;
    }
    QTextLayout& layout = *row.layout;
    layout.setText(QString::fromUtf8(bytes.sliced(row.start, row.end - row.start)));
    layout.setFont(m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabColumns * m_charWidth);
    layout.setTextOption(option);
    if (coloured && m_highlighter && row.start == 0) {
        QList<QTextLayout::FormatRange> formats;
        for (const Run& run : m_highlighter(layout.text(), palette())) {
            QTextCharFormat format;
            format.setForeground(run.color);
            formats.append({run.start, run.length, format});
        }
        layout.setFormats(formats);
    }
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e7);
    layout.endLayout();
    return row;
}

int BodyView::xOfByte(QByteArrayView bytes, qint64 byte) const
{
    return int(std::min<qreal>(layOut(bytes, false).xOfByte(byte), qreal(kMaxWidth)));
}

qint64 BodyView::byteAtX(QByteArrayView bytes, int x) const
{
    return layOut(bytes, false).byteAtX(x);
}

void BodyView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    painter.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    if (!m_document)
        return;
    const qint64 rows = m_document->rowCount();
    const qint64 first = firstVisibleRow();
    const qint64 last = std::min(rows, first + visibleRowCount() + 1);
    const int gutter = gutterWidth();
    const QColor gutterFill = blend(pal.color(QPalette::Base), pal.color(QPalette::Button), 0.5);
    painter.fillRect(QRect(0, 0, gutter, viewport()->height()), gutterFill);
    for (qint64 row = first; row < last; ++row)
        paintRow(painter, row, int(row - first) * kRowHeight);
}

void BodyView::paintRow(QPainter& painter, qint64 row, int y)
{
    const QPalette& pal = palette();
    const int gutter = gutterWidth();
    const QRect rowRect(gutter, y, viewport()->width() - gutter, kRowHeight);
    const RowLook look = rowLook(row);
    if (look.background == Background::match)
        painter.fillRect(rowRect, blend(pal.color(QPalette::Base), QColor(0xffcc00), 0.15));
    else if (look.background == Background::stripe)
        painter.fillRect(rowRect, pal.color(QPalette::AlternateBase));

    if (gutter > 0) {
        painter.setFont(m_gutterFont);
        painter.setPen(pal.color(QPalette::PlaceholderText));
        painter.drawText(QRect(0, y, gutter - kGutterPad, kRowHeight),
            Qt::AlignRight | Qt::AlignVCenter, look.number);
    }

    painter.save();
    painter.setClipRect(rowRect);
    const RowLayout layout = layOut(m_document->rowBytes(row), true);
    paintSelection(painter, row, layout, y);
    const QTextLine line = layout.layout->lineAt(0);
    painter.setPen(pal.color(QPalette::Text));
    layout.layout->draw(&painter,
        QPointF(textOrigin() + layout.left,
            y + (kRowHeight - (line.isValid() ? line.height() : 0)) / 2));
    painter.restore();
}

void BodyView::paintSelection(QPainter& painter, qint64 row, const RowLayout& layout, int y)
{
    const BodyPosition from = std::min(m_anchor, m_cursor);
    const BodyPosition to = std::max(m_anchor, m_cursor);
    if (from == to || row < from.row || row > to.row)
        return;
    const qreal left = row == from.row ? layout.xOfByte(from.byte) : 0;
    const qreal right = row == to.row ? layout.xOfByte(to.byte)
                                      : layout.xOfByte(layout.bytes.size()) + m_charWidth;
    QColor fill = palette().color(QPalette::Highlight);
    fill.setAlphaF(0.35f);
    painter.fillRect(QRectF(textOrigin() + left, y, right - left, kRowHeight), fill);
}

void BodyView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void BodyView::scrollContentsBy(int, int)
{
    viewport()->update();
}

BodyPosition BodyView::positionAt(const QPoint& point) const
{
    const qint64 rows = m_document ? m_document->rowCount() : 0;
    if (rows == 0)
        return {};
    const qint64 row = std::clamp<qint64>(firstVisibleRow() + point.y() / kRowHeight, 0, rows - 1);
    const QByteArrayView bytes = m_document->rowBytes(row);
    return {row, byteAtX(bytes, point.x() - textOrigin())};
}

void BodyView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    m_cursor = positionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_anchor = m_cursor;
    viewport()->update();
}

void BodyView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint point = event->position().toPoint();
    // Dragging past an edge scrolls on, so a selection can run beyond the rows in sight.
    if (point.y() < 0)
        verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepSub);
    else if (point.y() > viewport()->height())
        verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepAdd);
    m_cursor = positionAt(point);
    viewport()->update();
}

bool BodyView::event(QEvent* event)
{
    // The view's own keys win over window shortcuts that use the same keys.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key == QKeySequence::Copy || key == QKeySequence::SelectAll
            || key == QKeySequence::Find) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void BodyView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Find)
        return Q_EMIT findRequested();
    if (event == QKeySequence::SelectAll)
        return selectAll();
    if (event == QKeySequence::Copy)
        return copySelection();
    if (event == QKeySequence::MoveToStartOfDocument)
        return verticalScrollBar()->setValue(0);
    if (event == QKeySequence::MoveToEndOfDocument)
        return verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    QAbstractScrollArea::keyPressEvent(event);
}

void BodyView::selectAll()
{
    const qint64 rows = m_document ? m_document->rowCount() : 0;
    if (rows == 0)
        return;
    m_anchor = {};
    m_cursor = {rows - 1, m_document->rowBytes(rows - 1).size()};
    viewport()->update();
}

void BodyView::copySelection()
{
    if (!m_document || !hasSelection())
        return;
    m_document->extract(
        std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor), [](const QByteArray& bytes) {
            // The bytes go on as UTF-8 without a UTF-16 copy; readers decode them on demand.
            auto* data = new QMimeData;
            data->setData(u"text/plain;charset=utf-8"_s, bytes);
            data->setData(u"text/plain"_s, bytes);
            QGuiApplication::clipboard()->setMimeData(data);
        });
}

void BodyView::revealRow(qint64 row, qint64 byte, qint64 length)
{
    if (!m_document || row >= m_document->rowCount())
        return;
    const qint64 first = firstVisibleRow();
    if (row < first || row >= first + visibleRowCount())
        verticalScrollBar()->setValue(int(std::max<qint64>(0, row - visibleRowCount() / 2)));
    m_anchor = {row, byte};
    m_cursor = {row, byte + length};
    const QByteArrayView bytes = m_document->rowBytes(row);
    const int x = xOfByte(bytes, byte);
    const int textWidth = viewport()->width() - gutterWidth() - 2 * kTextPad;
    QScrollBar* bar = horizontalScrollBar();
    if (x < bar->value() || x > bar->value() + textWidth)
        bar->setValue(std::max(0, x - textWidth / 2));
    viewport()->update();
}

} // namespace mako
