#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace mako {

/// Whether a line of UTF-8 text contains a query, ignoring case. An ASCII query (the usual
/// case: keys, ids, words) is matched on the bytes directly, so a filter over hundreds of
/// megabytes never decodes a line; any other query compares decoded text with Qt's case
/// folding.
class LineMatcher {
public:
    explicit LineMatcher(const QString& query);

    bool isEmpty() const { return m_query.isEmpty(); }
    bool matches(QByteArrayView line) const { return find(line, 0).first >= 0; }
    /// Where the first match in `line` at or after byte `from` starts and how many bytes it
    /// takes; -1 when there is none.
    std::pair<qsizetype, qsizetype> find(QByteArrayView line, qsizetype from) const;

    /// Scans the lines of `text` that start in [from, until) — a line that starts there is
    /// read to its end — and appends the numbers of those that match to `kept`, counting lines
    /// from `firstLine` at `from` (which must be a line start). Returns where the next line
    /// starts (the text's size past the last line) and advances `firstLine` past the lines read.
    qint64 scan(QByteArrayView text, qint64 from, qint64 until, qint64& firstLine,
        std::vector<quint32>& kept) const;

private:
    QString m_query;
    QByteArray m_asciiLower;
    bool m_ascii = false;
};

} // namespace mako
