#pragma once

#include "ui/response/lineindex.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace mako {

class ResultChannel;

/// A place in the rows a body view shows: a row, and a byte offset into that row's line.
struct BodyPosition {
    qint64 row = 0;
    qint64 byte = 0;
    auto operator<=>(const BodyPosition&) const = default;
};

/// The text a body view shows, its line index and its line filter. The text is kept once, as
/// UTF-8 bytes (a raw body shares the response's own bytes); making it, indexing it and
/// filtering it run on pool threads in pieces, and a newer text or query cancels the work in
/// flight. Until a piece arrives the rows show what is ready.
class BodyDocument : public QObject {
    Q_OBJECT

public:
    /// Makes the text on a pool thread. `stopRequested` turns true once a newer text makes this
    /// one pointless; a long producer asks it now and then and gives up.
    using Producer = std::function<QByteArray(const std::function<bool()>& stopRequested)>;

    explicit BodyDocument(QObject* parent = nullptr);
    ~BodyDocument() override;

    /// Starts over with the text `produce` makes on a pool thread.
    void load(Producer produce);
    /// Shows `text` (already made) and indexes it.
    void setText(const QByteArray& text);
    void clear();

    /// Shows only the lines that contain `query` ignoring case; all of them when it is empty or
    /// when no line matches.
    void setQuery(const QString& query);
    const QString& query() const { return m_query; }

    /// True while the text is being made, indexed or filtered.
    bool isBusy() const;
    bool hasText() const { return m_hasText; }
    const QByteArray& text() const { return m_text; }
    qint64 longestLine() const { return m_index.longestLine(); }

    qint64 rowCount() const;
    /// The line feed-free bytes of `row` (< rowCount).
    QByteArrayView rowBytes(qint64 row) const;
    /// Whether the rows are the lines the query matched (each then shows as a match).
    bool isFiltered() const { return !m_kept.empty(); }

    /// The text from `from` to `to` (rows joined by line feeds), made on a pool thread and
    /// handed to `done` on this thread, unless the document changes first.
    void extract(BodyPosition from, BodyPosition to, std::function<void(QByteArray)> done);

    struct Match {
        BodyPosition at;
        qint64 length;
    };
    /// Looks for `query` (ignoring case) in the rows shown from `from` on, going round to the
    /// first row after the last, on a pool thread; hands the first match to `done` on this
    /// thread (nothing when there is none), unless the document or the search changes first.
    /// An empty query or a document without rows answers nothing at once.
    void find(
        const QString& query, BodyPosition from, std::function<void(std::optional<Match>)> done);
    /// Drops the search in flight: its `done` is never called.
    void cancelFind();

Q_SIGNALS:
    /// Rows were added at the end, or (`replaced`) the rows were replaced by others.
    void rowsChanged(bool replaced);
    void busyChanged(bool busy);

private:
    void reset();
    /// On a pool thread: indexes `text` piece by piece, each handed back through `channel`.
    void indexPieces(const QByteArray& text, const std::shared_ptr<ResultChannel>& channel);
    void receiveText(const QByteArray& text);
    void receiveIndex(const std::vector<LineIndex::Mark>& marks, const LineIndex::Scan& scan);
    void startFilter();
    void receiveKept(const std::vector<quint32>& kept, bool done);
    void updateBusy();

    QByteArray m_text;
    bool m_hasText = false;
    LineIndex m_index;
    QString m_query;
    std::vector<quint32> m_kept;
    bool m_filtering = false;
    bool m_busy = false;
    std::shared_ptr<ResultChannel> m_textWork;
    std::shared_ptr<ResultChannel> m_filterWork;
    std::shared_ptr<ResultChannel> m_extractWork;
    std::shared_ptr<ResultChannel> m_findWork;
};

} // namespace mako
