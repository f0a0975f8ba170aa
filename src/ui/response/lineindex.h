#pragma once

#include <QByteArrayView>

#include <vector>

namespace mako {

/// Where the lines of a UTF-8 text start, sampled so that it stays a small fraction of the text:
/// a mark every few lines and at least every 64 KiB, so finding any line scans little. Lines
/// are the pieces between line feeds; a text with n line feeds has n + 1 lines.
///
/// The index only refers to the text by offsets; the owner keeps the text.
class LineIndex {
public:
    struct Mark {
        qint64 line;
        qint64 offset;
    };

    /// Where a scan of the text has got to; the scan continues from here.
    struct Scan {
        qint64 line = 0;
        qint64 lineStart = 0;
        qint64 longestLine = 0;
        Mark lastMark {0, 0};
        bool done = false;
    };

    /// Scans `text` from where `scan` stopped up to about `until` (bytes), returning the new
    /// marks. The scan is done once it has passed the end of the text.
    static std::vector<Mark> scan(QByteArrayView text, Scan& scan, qint64 until);

    /// Takes the marks and the progress of a scan of the same text.
    void append(const std::vector<Mark>& marks, const Scan& scan);

    /// The lines whose end is known.
    qint64 lineCount() const { return m_lineCount; }
    /// In bytes, over the lines indexed so far.
    qint64 longestLine() const { return m_longestLine; }
    bool isComplete() const { return m_complete; }

    /// Where `line` (< lineCount) starts in `text`.
    qint64 lineStart(QByteArrayView text, qint64 line) const;
    /// The bytes of `line` (< lineCount), without its line feed.
    QByteArrayView line(QByteArrayView text, qint64 line) const;

private:
    std::vector<Mark> m_marks {Mark {0, 0}};
    qint64 m_lineCount = 0;
    qint64 m_longestLine = 0;
    bool m_complete = false;
};

} // namespace mako
