#include "ui/screens/streamlistmodel.h"

#include "model/timestamp.h"

#include <algorithm>

namespace mako {

StreamListModel::StreamListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_throttle(new QTimer(this))
{
    m_throttle->setSingleShot(true);
    connect(m_throttle, &QTimer::timeout, this, &StreamListModel::insertArrived);
}

int StreamListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

Qt::ItemFlags StreamListModel::flags(const QModelIndex& index) const
{
    // "Editable" only opens the read-only field in which the text can be selected and copied.
    return QAbstractListModel::flags(index) | Qt::ItemIsEditable;
}

void StreamListModel::clear()
{
    if (m_rows == 0) {
        m_first = sourceSize();
        return;
    }
    beginRemoveRows({}, 0, m_rows - 1);
    m_first = sourceSize();
    m_rows = 0;
    endRemoveRows();
}

void StreamListModel::takeAppended()
{
    // The first rows after a quiet spell show at once; a steady stream waits for the next frame.
    if (m_throttle->isActive())
        return;
    // The view's pass grows with the list, so a long list is brought up to date less often:
    // once a frame up to 32,000 rows, then up to four times a second.
    const qint64 interval = std::clamp<qint64>(m_rows / 2000, kIntervalMs, 250);
    const qint64 since = m_sinceInsert.isValid() ? m_sinceInsert.elapsed() : interval;
    if (since < interval)
        m_throttle->start(int(interval - since));
    else
        insertArrived();
}

void StreamListModel::insertArrived()
{
    m_sinceInsert.start();
    const int rows = int(sourceSize() - m_first);
    if (rows <= m_rows)
        return;
    beginInsertRows({}, m_rows, rows - 1);
    m_rows = rows;
    endInsertRows();
}

void StreamListModel::startOver(const std::function<void()>& switchClient)
{
    beginResetModel();
    m_throttle->stop();
    switchClient();
    m_first = 0;
    m_rows = int(sourceSize());
    endResetModel();
}

QString StreamListModel::timeFormatWithSeconds(const QLocale& locale)
{
    // The long format would do but for the time zone's name it carries; its seconds are
    // put into the short one instead.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    bool quoted = false;
    for (qsizetype at = 0; at < format.size(); ++at) {
        if (format[at] == u'\'')
            quoted = !quoted;
        if (quoted)
            continue;
        if (format[at] == u's')
            return format;
    }
    quoted = false;
    for (qsizetype at = 0; at + 1 < format.size(); ++at) {
        if (format[at] == u'\'')
            quoted = !quoted;
        if (quoted || format[at] != u'm' || format[at + 1] != u'm')
            continue;
        const QChar before = at > 0 ? format[at - 1] : QChar();
        const QString separator = before.isLetter() || before.isNull() || before == u'\''
            ? QStringLiteral(":")
            : QString(before);
        format.insert(at + 2, separator + QStringLiteral("ss"));
        return format;
    }
    return format;
}

QString StreamListModel::timeOfDay(double timestamp)
{
    // With seconds: entries of a stream often arrive within the same minute.
    const QLocale locale;
    return locale.toString(
        timestampToDateTime(timestamp).toLocalTime().time(), timeFormatWithSeconds(locale));
}

} // namespace mako
