#pragma once

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <ostream>

// Readable failure messages for the Qt types the tests compare.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QUuid& uuid, std::ostream* os)
{
    *os << uuid.toString().toStdString();
}
