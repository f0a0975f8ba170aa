#include "ui/response/linematcher.h"

#include <cstring>

namespace mako {

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool containsAsciiIgnoringCase(QByteArrayView line, QByteArrayView lowerQuery)
{
    const qsizetype n = lowerQuery.size();
    if (n > line.size())
        return false;
    const char first = lowerQuery.front();
    const char firstUpper = first >= 'a' && first <= 'z' ? char(first - ('a' - 'A')) : first;
    const char* data = line.data();
    const qsizetype last = line.size() - n;
    for (qsizetype i = 0; i <= last; ++i) {
        const char c = data[i];
        if (c != first && c != firstUpper)
            continue;
        qsizetype k = 1;
        while (k < n && asciiLower(data[i + k]) == lowerQuery[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
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

bool LineMatcher::matches(QByteArrayView line) const
{
    if (m_query.isEmpty())
        return false;
    if (m_ascii)
        return containsAsciiIgnoringCase(line, m_asciiLower);
    return QString::fromUtf8(line).contains(m_query, Qt::CaseInsensitive);
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
