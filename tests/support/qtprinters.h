#pragma once

#include "execution/hostcertificate.h"

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

namespace mako {

inline void PrintTo(const HostCertificate& entry, std::ostream* os)
{
    *os << '{' << entry.host.toStdString() << ' '
        << (entry.type == HostCertificate::Type::pkcs12 ? "P12" : "PEM")
        << " cert=" << entry.certificateFile.toStdString() << " key=" << entry.keyFile.toStdString()
        << " passphrase=" << entry.passphrase.toStdString()
        << " ca=" << entry.caBundleFile.toStdString() << '}';
}

} // namespace mako
