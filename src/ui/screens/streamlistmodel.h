#pragma once

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>

#include <functional>

namespace mako {

/// A list model over a client's list that only grows (a WebSocket transcript, the events of a
/// stream). Rows are announced as inserted when the list grows, never reset; a fast stream's
/// rows are announced at most once a frame (less often for a long list), since every
/// announcement costs the view a pass over all its rows. "Clear" hides what arrived so far without
/// touching the client.
class StreamListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        /// The text of the row's heading (the type of an event); empty for one-line rows.
        TitleRole = Qt::UserRole + 1,
        /// The time of day the entry was added.
        TimeRole,
        /// The colour of the heading or symbol: a SystemColor, or -1 for the secondary text.
        AccentRole,
        /// The name of the row's symbol; empty for none.
        SymbolRole,
        /// What the filter field looks in.
        FilterTextRole,
    };

    /// The shortest time between two announcements of new rows; longer lists wait longer.
    static constexpr int kIntervalMs = 16;

    explicit StreamListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Hides every entry the client holds now; later ones still show.
    void clear();

    /// How `locale` writes a time of day with its seconds: its short time format with the
    /// seconds after the minutes, joined as it joins hours and minutes.
    static QString timeFormatWithSeconds(const QLocale& locale);

protected:
    /// How many entries the client holds (0 without one).
    virtual qsizetype sourceSize() const = 0;
    /// The client's index of `row`.
    qsizetype sourceIndex(int row) const { return m_first + row; }
    /// Takes in what the client appended since the last call.
    void takeAppended();
    /// Starts over with another client (or none), showing all it holds.
    void startOver(const std::function<void()>& switchClient);

    /// The local time of `timestamp`, with seconds, as the program's locale writes it.
    static QString timeOfDay(double timestamp);

private:
    void insertArrived();

    QTimer* m_throttle;
    QElapsedTimer m_sinceInsert;
    qsizetype m_first = 0;
    int m_rows = 0;
};

} // namespace mako
