#pragma once

#include <QList>
#include <QUuid>

namespace mako {

// Edits shared by the stores of the application state. Each store notifies one step at a time,
// right after the step, so that a model following the notifications always describes the list
// as it is at that moment.

/// The position of the first record with `id`, or -1.
template <typename T> int indexOfID(const QList<T>& list, const QUuid& id)
{
    for (qsizetype index = 0; index < list.size(); ++index) {
        if (list[index].id == id)
            return int(index);
    }
    return -1;
}

/// Removes the records that `matches`, one contiguous run at a time from the back, and calls
/// `removed(first, last)` after each run (the runs before it keep their positions). Returns how
/// many records went.
template <typename T, typename Matches, typename Removed>
qsizetype removeRuns(QList<T>& list, Matches matches, Removed removed)
{
    qsizetype count = 0;
    qsizetype last = list.size() - 1;
    while (last >= 0) {
        if (!matches(list[last])) {
            --last;
            continue;
        }
        qsizetype first = last;
        while (first > 0 && matches(list[first - 1]))
            --first;
        list.remove(first, last - first + 1);
        removed(int(first), int(last));
        count += last - first + 1;
        last = first - 1;
    }
    return count;
}

/// Appends `records`, then calls `inserted(first, last)`; nothing for an empty list.
template <typename T, typename Inserted>
bool appendAll(QList<T>& list, const QList<T>& records, Inserted inserted)
{
    if (records.isEmpty())
        return false;
    const qsizetype first = list.size();
    list.append(records);
    inserted(int(first), int(list.size() - 1));
    return true;
}

} // namespace mako
