#include "ui/response/lineindex.h"

#include <algorithm>
#include <cstring>

namespace mako {

namespace {

// Few enough marks to cost well under a tenth of the text, near enough that finding a line
// scans at most this much.
constexpr qint64 kLinesPerMark = 16;
constexpr qint64 kBytesPerMark = 64 * 1024;

const char* findLineFeed(const char* from, const char* end)
{
    if (from >= end)
        return nullptr;
    return static_cast<const char*>(std::memchr(from, '\n', size_t(end - from)));
}

} // namespace

std::vector<LineIndex::Mark> LineIndex::scan(QByteArrayView text, Scan& scan, qint64 until)
{
    std::vector<Mark> marks;
    if (scan.done)
        return marks;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* stop = begin + std::min<qint64>(until, text.size());
    const char* at = begin + scan.lineStart;
    while (at <= stop) {
        const char* feed = findLineFeed(at, end);
        const qint64 length = (feed ? feed : end) - at;
        scan.longestLine = std::max(scan.longestLine, length);
        if (!feed) {
            // The last line ends with the text.
            ++scan.line;
            scan.lineStart = text.size();
            scan.done = true;
            break;
        }
        ++scan.line;
        at = feed + 1;
        scan.lineStart = at - begin;
        if (scan.line - scan.lastMark.line >= kLinesPerMark
            || scan.lineStart - scan.lastMark.offset >= kBytesPerMark) {
            scan.lastMark = {scan.line, scan.lineStart};
            marks.push_back(scan.lastMark);
        }
    }
    return marks;
}

void LineIndex::append(const std::vector<Mark>& marks, const Scan& scan)
{
    m_marks.insert(m_marks.end(), marks.begin(), marks.end());
    m_lineCount = scan.line;
    m_longestLine = scan.longestLine;
    m_complete = scan.done;
}

qint64 LineIndex::lineStart(QByteArrayView text, qint64 line) const
{
    auto mark = std::upper_bound(m_marks.begin(), m_marks.end(), line,
        [](qint64 wanted, const Mark& m) { return wanted < m.line; });
    --mark;
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* at = begin + mark->offset;
    for (qint64 skip = line - mark->line; skip > 0 && at < end; --skip) {
        const char* feed = findLineFeed(at, end);
        at = feed ? feed + 1 : end;
    }
    return at - begin;
}

QByteArrayView LineIndex::line(QByteArrayView text, qint64 line) const
{
    const qint64 start = lineStart(text, line);
    // The next line's start is found as cheaply, even after a line of many megabytes: the
    // mark spacing puts a mark right after any long line.
    const qint64 end
        = line + 1 < m_lineCount || !m_complete ? lineStart(text, line + 1) - 1 : text.size();
    return text.sliced(start, std::max<qint64>(0, end - start));
}

} // namespace mako
