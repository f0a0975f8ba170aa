#include "state/datafile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

Result<std::optional<QByteArray>> readDataFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::optional<QByteArray> {};
    if (!file.open(QIODevice::ReadOnly))
        return Error {file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Error {file.errorString()};
    return std::optional<QByteArray> {std::move(bytes)};
}

bool writeDataFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    const auto fail = [&file, reason] {
        if (reason)
            *reason = file.errorString();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // QSaveFile carries the old file's mode over to the new one; a file that someone widened
    // is narrowed again, and a new file never exists with a wider mode than this.
    if (!file.setPermissions(kOwnerOnly) || file.write(bytes) != bytes.size()) {
        const bool failed = fail();
        file.cancelWriting();
        return failed;
    }
    return file.commit() || fail();
}

Result<QString> keepUnreadableFile(const QString& path, const QDateTime& now)
{
    const QString stamp = now.toUTC().toString(u"yyyyMMdd-HHmmss-zzz"_s);
    QString kept = path + u".unreadable-"_s + stamp;
    for (int attempt = 2; QFileInfo::exists(kept); ++attempt)
        kept = path + u".unreadable-"_s + stamp + u'-' + QString::number(attempt);
    QFile source(path);
    if (!source.copy(kept))
        return Error {source.errorString()};
    QFile::setPermissions(kept, kOwnerOnly);
    return kept;
}

} // namespace mako
