#include "ui/response/linematcher.h"

#include <cstring>

namespace mako {

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

qsizetype indexOfAsciiIgnoringCase(QByteArrayView line, QByteArrayView lowerQuery, qsizetype from)
{
    const qsizetype n = lowerQuery.size();
    if (n > line.size())
        return -1;
    const char first = lowerQuery.front();
    const char firstUpper = first >= 'a' && first <= 'z' ? char(first - ('a' - 'A')) : first;
    const char* data = line.data();
    const qsizetype last = line.size() - n;
    for (qsizetype i = from; i <= last; ++i) {
        const char c = data[i];
        if (c != first && c != firstUpper)
            continue;
        qsizetype k = 1;
        while (k < n && asciiLower(data[i + k]) == lowerQuery[k])
            ++k;
        if (k == n)
            return i;
    }
    return -1;
}

bool isAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

} // namespace

LineMatcher::LineMatcher(const QString& query)
    : m_query(query)
    , m_ascii(isAscii(query))
{
    if (m_ascii) {
        m_asciiLower = query.toLatin1();
        for (char& c : m_asciiLower)
            c = asciiLower(c);
    }
}

std::pair<qsizetype, qsizetype> LineMatcher::find(QByteArrayView line, qsizetype from) const
{
    if (m_query.isEmpty())
        return {-1, 0};
    if (m_ascii)
        return {indexOfAsciiIgnoringCase(line, m_asciiLower, from), m_asciiLower.size()};
    // Case folding can change lengths, so the match is found in decoded text and its place
    // measured back in bytes.
    const QString text = QString::fromUtf8(line);
    const qsizetype start16 = QString::fromUtf8(line.first(std::min(from, line.size()))).size();
    const qsizetype at = text.indexOf(m_query, start16, Qt::CaseInsensitive);
    if (at < 0)
        return {-1, 0};
    const qsizetype byte = QStringView(text).first(at).toUtf8().size();
    return {byte, QStringView(text).sliced(at, m_query.size()).toUtf8().size()};
}

qint64 LineMatcher::scan(QByteArrayView text, qint64 from, qint64 until, qint64& firstLine,
    std::vector<quint32>& kept) const
{
    const char* begin = text.data();
    const qint64 size = text.size();
    qint64 at = from;
    while (at < until && at <= size) {
        const void* feed = at < size ? std::memchr(begin + at, '\n', size_t(size - at)) : nullptr;
        const qint64 end = feed ? static_cast<const char*>(feed) - begin : size;
        if (matches(text.sliced(at, end - at)))
            kept.push_back(quint32(firstLine));
        ++firstLine;
        at = end + 1;
    }
    return at;
}

} // namespace mako
