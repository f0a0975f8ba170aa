#include "ui/response/bodydocument.h"

#include "ui/common/resultchannel.h"
#include "ui/response/linematcher.h"

#include <cstring>
#include <utility>

namespace mako {

namespace {

// A piece small enough that the window takes it in at once, large enough that the queued
// calls cost nothing next to the scan.
constexpr qint64 kPieceBytes = 4 * 1024 * 1024;

void closeChannel(std::shared_ptr<ResultChannel>& channel)
{
    if (channel)
        channel->close();
    channel.reset();
}

// The bytes of the filtered lines `lines` (ascending), the first starting at `firstStart`,
// cut at `fromByte` in the first and `toByte` in the last.
QByteArray joinLines(const QByteArray& text, const std::vector<quint32>& lines, qint64 firstStart,
    qint64 fromByte, qint64 toByte, const ResultChannel& channel)
{
    QByteArray out;
    const char* begin = text.constData();
    const qint64 size = text.size();
    qint64 at = firstStart;
    qint64 line = lines.front();
    for (std::size_t i = 0; i < lines.size() && channel.isOpen(); ++i) {
        for (; line < lines[i]; ++line) {
            const void* feed = std::memchr(begin + at, '\n', size_t(size - at));
            at = feed ? static_cast<const char*>(feed) - begin + 1 : size;
        }
        const void* feed = at < size ? std::memchr(begin + at, '\n', size_t(size - at)) : nullptr;
        const qint64 end = feed ? static_cast<const char*>(feed) - begin : size;
        qint64 from = at;
        qint64 to = end;
        if (i == 0)
            from = std::min(end, at + fromByte);
        if (i + 1 == lines.size())
            to = std::min(end, at + toByte);
        if (i > 0)
            out.append('\n');
        out.append(begin + from, to - from);
    }
    return out;
}

// Walks the rows of a text in order, on a pool thread: every line, or only the listed ones.
class RowWalker {
public:
    RowWalker(const QByteArray& text, std::optional<std::vector<quint32>> lines)
        : m_text(text)
        , m_lines(std::move(lines))
    { }

    qint64 rowCount(qint64 lineCount) const
    {
        return m_lines ? qint64(m_lines->size()) : lineCount;
    }

    /// Goes to `row`, whose line starts at `offset`.
    void seek(qint64 row, qint64 offset)
    {
        m_row = row;
        m_line = m_lines ? qint64((*m_lines)[std::size_t(row)]) : row;
        m_offset = offset;
    }

    /// The bytes of the current row; then moves on to the next one.
    QByteArrayView next()
    {
        const char* begin = m_text.constData();
        const qint64 size = m_text.size();
        const void* feed = m_offset < size
            ? std::memchr(begin + m_offset, '\n', size_t(size - m_offset))
            : nullptr;
        const qint64 end = feed ? static_cast<const char*>(feed) - begin : size;
        const QByteArrayView row = QByteArrayView(m_text).sliced(m_offset, end - m_offset);
        m_offset = end + 1;
        ++m_line;
        ++m_row;
        // Listed rows skip the lines between them.
        if (m_lines && m_row < qint64(m_lines->size())) {
            for (const qint64 wanted = (*m_lines)[std::size_t(m_row)]; m_line < wanted; ++m_line) {
                const void* skip = std::memchr(begin + m_offset, '\n', size_t(size - m_offset));
                m_offset = skip ? static_cast<const char*>(skip) - begin + 1 : size;
            }
        }
        return row;
    }

    qint64 row() const { return m_row; }

private:
    const QByteArray m_text;
    const std::optional<std::vector<quint32>> m_lines;
    qint64 m_row = 0;
    qint64 m_line = 0;
    qint64 m_offset = 0;
};

} // namespace

BodyDocument::BodyDocument(QObject* parent)
    : QObject(parent)
{ }

BodyDocument::~BodyDocument()
{
    closeChannel(m_textWork);
    closeChannel(m_filterWork);
    closeChannel(m_extractWork);
    closeChannel(m_findWork);
}

void BodyDocument::reset()
{
    closeChannel(m_textWork);
    closeChannel(m_filterWork);
    closeChannel(m_extractWork);
    closeChannel(m_findWork);
    // Handing back hundreds of megabytes to the system takes long enough to be felt, so the
    // old text and its index are let go on the pool.
    QThreadPool::globalInstance()->start(
        [text = std::exchange(m_text, {}), index = std::exchange(m_index, {}),
            kept = std::exchange(m_kept, {})] {});
    m_hasText = false;
    m_filtering = false;
}

void BodyDocument::clear()
{
    reset();
    Q_EMIT rowsChanged(true);
    updateBusy();
}

void BodyDocument::load(Producer produce)
{
    reset();
    // The text is indexed on the thread that made it, so its first rows follow at once.
    m_textWork = startWork(this, [this, produce = std::move(produce)](auto channel) {
        const QByteArray text = produce([&channel] { return !channel->isOpen(); });
        channel->post(channel, [this, text] { receiveText(text); });
        indexPieces(text, channel);
    });
    Q_EMIT rowsChanged(true);
    updateBusy();
}

void BodyDocument::setText(const QByteArray& text)
{
    reset();
    Q_EMIT rowsChanged(true);
    receiveText(text);
    m_textWork = startWork(this, [this, text](auto channel) { indexPieces(text, channel); });
}

void BodyDocument::receiveText(const QByteArray& text)
{
    m_text = text;
    m_hasText = true;
    updateBusy();
}

void BodyDocument::indexPieces(
    const QByteArray& text, const std::shared_ptr<ResultChannel>& channel)
{
    LineIndex::Scan scan;
    while (!scan.done && channel->isOpen()) {
        std::vector<LineIndex::Mark> marks
            = LineIndex::scan(text, scan, scan.lineStart + kPieceBytes);
        channel->post(
            channel, [this, marks = std::move(marks), scan] { receiveIndex(marks, scan); });
    }
}

void BodyDocument::receiveIndex(
    const std::vector<LineIndex::Mark>& marks, const LineIndex::Scan& scan)
{
    m_index.append(marks, scan);
    if (scan.done) {
        m_textWork.reset();
        startFilter();
    }
    Q_EMIT rowsChanged(false);
    updateBusy();
}

void BodyDocument::setQuery(const QString& query)
{
    if (query == m_query)
        return;
    m_query = query;
    closeChannel(m_filterWork);
    // A match found among the old rows would point at the wrong one among the new.
    closeChannel(m_findWork);
    const bool wasFiltered = isFiltered();
    m_kept.clear();
    m_filtering = false;
    if (m_index.isComplete())
        startFilter();
    if (wasFiltered)
        Q_EMIT rowsChanged(true);
    updateBusy();
}

void BodyDocument::startFilter()
{
    if (m_query.isEmpty())
        return;
    m_filtering = true;
    const QByteArray text = m_text;
    m_filterWork = startWork(this, [this, text, matcher = LineMatcher(m_query)](auto channel) {
        qint64 at = 0;
        qint64 line = 0;
        while (at <= text.size() && channel->isOpen()) {
            std::vector<quint32> kept;
            at = matcher.scan(text, at, at + kPieceBytes, line, kept);
            const bool done = at > text.size();
            channel->post(
                channel, [this, kept = std::move(kept), done] { receiveKept(kept, done); });
        }
    });
}

void BodyDocument::receiveKept(const std::vector<quint32>& kept, bool done)
{
    // The first kept lines replace the unfiltered rows; later ones add to them.
    const bool replaced = m_kept.empty() && !kept.empty();
    m_kept.insert(m_kept.end(), kept.begin(), kept.end());
    if (done) {
        m_filtering = false;
        m_filterWork.reset();
    }
    if (!kept.empty())
        Q_EMIT rowsChanged(replaced);
    updateBusy();
}

bool BodyDocument::isBusy() const
{
    return m_textWork != nullptr || m_filtering;
}

void BodyDocument::updateBusy()
{
    const bool busy = isBusy();
    if (busy == m_busy)
        return;
    m_busy = busy;
    Q_EMIT busyChanged(busy);
}

qint64 BodyDocument::rowCount() const
{
    return isFiltered() ? qint64(m_kept.size()) : m_index.lineCount();
}

QByteArrayView BodyDocument::rowBytes(qint64 row) const
{
    const qint64 line = isFiltered() ? qint64(m_kept[std::size_t(row)]) : row;
    return m_index.line(m_text, line);
}

void BodyDocument::extract(BodyPosition from, BodyPosition to, std::function<void(QByteArray)> done)
{
    if (rowCount() == 0 || to < from)
        return;
    closeChannel(m_extractWork);
    const QByteArray text = m_text;
    auto deliver = [done = std::move(done)](
                       const std::shared_ptr<ResultChannel>& channel, QByteArray bytes) {
        channel->post(channel, [done, bytes = std::move(bytes)] { done(bytes); });
    };
    if (!isFiltered()) {
        const qint64 start = m_index.lineStart(m_text, from.row) + from.byte;
        const qint64 end = m_index.lineStart(m_text, to.row) + to.byte;
        m_extractWork = startWork(this, [text, start, end, deliver](auto channel) {
            deliver(channel, text.mid(start, end - start));
        });
        return;
    }
    std::vector<quint32> lines(m_kept.begin() + from.row, m_kept.begin() + to.row + 1);
    const qint64 firstStart = m_index.lineStart(m_text, lines.front());
    m_extractWork = startWork(
        this, [text, lines = std::move(lines), firstStart, from, to, deliver](auto channel) {
            deliver(channel, joinLines(text, lines, firstStart, from.byte, to.byte, *channel));
        });
}

void BodyDocument::cancelFind()
{
    closeChannel(m_findWork);
}

void BodyDocument::find(
    const QString& query, BodyPosition from, std::function<void(std::optional<Match>)> done)
{
    closeChannel(m_findWork);
    const qint64 rows = rowCount();
    if (query.isEmpty() || rows == 0)
        return done(std::nullopt);
    if (from.row >= rows)
        from = {};
    std::optional<std::vector<quint32>> lines;
    if (isFiltered())
        lines = m_kept;
    const qint64 firstLine = isFiltered() ? qint64(m_kept.front()) : 0;
    const qint64 firstStart = m_index.lineStart(m_text, firstLine);
    const qint64 fromStart = m_index.lineStart(m_text, isFiltered() ? m_kept[from.row] : from.row);
    m_findWork = startWork(this,
        [walker = RowWalker(m_text, std::move(lines)), matcher = LineMatcher(query), rows, from,
            firstStart, fromStart, done = std::move(done)](auto channel) mutable {
            std::optional<Match> found;
            walker.seek(from.row, fromStart);
            // Every row once, the starting one from `from` and again up to it at the end.
            for (qint64 step = 0; step <= rows && !found && channel->isOpen(); ++step) {
                if (walker.row() == rows)
                    walker.seek(0, firstStart);
                const qint64 row = walker.row();
                const qsizetype start = step == 0 ? from.byte : 0;
                const auto [byte, length] = matcher.find(walker.next(), start);
                if (byte >= 0)
                    found = Match {{row, byte}, length};
            }
            channel->post(channel, [done, found] { done(found); });
        });
}

} // namespace mako
