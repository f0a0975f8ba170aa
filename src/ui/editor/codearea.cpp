#include "ui/editor/codearea.h"

#include "ui/editor/syntaxhighlight.h"

#include <QFontDatabase>
#include <QPainter>
#include <QSyntaxHighlighter>
#include <QTextBlock>

namespace mako {

class CodeGutter : public QWidget {
public:
    explicit CodeGutter(CodeArea* area)
        : QWidget(area)
        , m_area(area)
    { }
    QSize sizeHint() const override { return {m_area->gutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_area->paintGutter(event); }

private:
    CodeArea* m_area;
};

namespace {

class SnippetHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

    QString language;
    QPalette palette;

protected:
    void highlightBlock(const QString& text) override
    {
        const QList<std::optional<SystemColor>> colors = syntaxColors(text, language);
        qsizetype start = 0;
        for (qsizetype at = 1; at <= colors.size(); ++at) {
            if (at < colors.size() && colors[at] == colors[start])
                continue;
            if (colors[start])
                setFormat(int(start), int(at - start), systemColor(*colors[start], palette));
            start = at;
        }
    }
};

} // namespace

CodeArea::CodeArea(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_gutter(new CodeGutter(this))
    , m_highlighter(new SnippetHighlighter(document()))
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    setFont(font);
    connect(this, &QPlainTextEdit::blockCountChanged, this,
        [this] { setViewportMargins(gutterWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeArea::updateGutter);
    setViewportMargins(gutterWidth(), 0, 0, 0);
}

void CodeArea::showCode(const QString& code, const QString& language)
{
    auto* highlighter = static_cast<SnippetHighlighter*>(m_highlighter);
    highlighter->language = language;
    highlighter->palette = palette();
    if (toPlainText() == code) {
        highlighter->rehighlight();
        return;
    }
    setPlainText(code);
}

int CodeArea::gutterWidth() const
{
    const int digits = QString::number(qMax(1, blockCount())).size();
    return 12 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * qMax(2, digits);
}

void CodeArea::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void CodeArea::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        auto* highlighter = static_cast<SnippetHighlighter*>(m_highlighter);
        highlighter->palette = palette();
        highlighter->rehighlight();
    }
}

void CodeArea::updateGutter(const QRect& rect, int dy)
{
    if (dy)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void CodeArea::paintGutter(QPaintEvent* event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int lineHeight = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && top + lineHeight >= event->rect().top()) {
            painter.drawText(0, top, m_gutter->width() - 6, lineHeight, Qt::AlignRight,
                QString::number(block.blockNumber() + 1));
        }
        top += qRound(blockBoundingRect(block).height());
        block = block.next();
    }
}

} // namespace mako
