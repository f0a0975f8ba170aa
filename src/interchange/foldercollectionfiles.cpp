// Reading and writing the files of a folder collection on disk.

#include "interchange/foldercollection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace mako::FolderCollection {

using namespace Qt::StringLiterals;

namespace {

// No request file comes near this; a bigger one is not ours (a dump someone dropped in) and
// would only cost memory.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

bool isInside(const QFileInfo& entry, const QString& root)
{
    if (!entry.isSymLink())
        return true;
    const QString target = entry.canonicalFilePath();
    return !target.isEmpty() && target.startsWith(root + u'/');
}

// The ".json" files directly in `directory`, by their path relative to the collection's folder.
void readFiles(const QDir& directory, const QString& prefix, const QString& root, Files& files)
{
    const QFileInfoList entries = directory.entryInfoList(
        {u"*.json"_s}, QDir::Files | QDir::NoDotAndDotDot | QDir::CaseSensitive, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().startsWith(u'.') || !isInside(entry, root)
            || entry.size() > kMaxFileSize)
            continue;
        QFile file(entry.filePath());
        // A file that vanished or cannot be read between the listing and here is left out,
        // as if it were not there yet.
        if (file.open(QIODevice::ReadOnly))
            files.insert(prefix + entry.fileName(), file.readAll());
    }
}

// A relative path of ours: no way out of the folder, nothing hidden.
bool isSafe(const QString& path)
{
    if (path.isEmpty() || path.contains(u'\\') || QDir::isAbsolutePath(path))
        return false;
    const QStringList parts = path.split(u'/');
    return std::ranges::none_of(parts, [](const QString& part) {
        return part.isEmpty() || part.startsWith(u'.') || part.contains(u':');
    });
}

bool fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

// Atomic like QSaveFile (a temporary beside the file, renamed over it), but without a sync of
// every file: a first save of thousands of requests would spend seconds there. `write` syncs
// the whole batch once instead, before it says the files are in place.
bool writeFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.path()))
        return fail(reason,
            QCoreApplication::translate("mako::FolderCollection", "Cannot create the folder of %1.")
                .arg(path));
    // Hidden, so a read of the folder meanwhile passes it by.
    QFile file(info.dir().filePath(u'.' + info.fileName() + u".saving"_s));
    const auto failed = [&](const QString& why) {
        file.remove();
        return fail(reason,
            QCoreApplication::translate("mako::FolderCollection", "Cannot write %1: %2")
                .arg(path, why));
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush())
        return failed(file.errorString());
    if (info.exists())
        file.setPermissions(QFile::permissions(path));
    file.close();
    if (std::rename(
            QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData())
        != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    return true;
}

// Puts what was written on the disk, once for the whole folder.
bool syncFolder(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

Result<Files> read(const QString& directory)
{
    const QFileInfo info(directory);
    if (!info.isDir())
        return Error {QCoreApplication::translate("mako::FolderCollection", "%1 is not a folder.")
                          .arg(directory)};
    const QString root = info.canonicalFilePath();
    const QDir top(root);
    Files files;
    readFiles(top, {}, root, files);
    // One level down: the folders' directories and environments/, nothing deeper.
    const QFileInfoList directories
        = top.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : directories) {
        if (entry.fileName().startsWith(u'.') || !isInside(entry, root))
            continue;
        readFiles(QDir(entry.filePath()), entry.fileName() + u'/', root, files);
    }
    return files;
}

bool write(const QString& directory, const Files& files, const Files& previous, QString* reason)
{
    const QDir root(directory);
    if (!root.mkpath(u"."_s))
        return fail(reason,
            QCoreApplication::translate("mako::FolderCollection", "Cannot create the folder %1.")
                .arg(directory));
    bool ok = true;
    bool wrote = false;
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (!isSafe(it.key())) {
            ok = fail(reason,
                QCoreApplication::translate(
                    "mako::FolderCollection", "%1 is not a file name of a collection.")
                    .arg(it.key()));
            continue;
        }
        const QString path = root.filePath(it.key());
        const auto before = previous.constFind(it.key());
        if (before != previous.end() && *before == it.value() && QFileInfo::exists(path))
            continue;
        if (writeFile(path, it.value(), reason))
            wrote = true;
        else
            ok = false;
    }
    if (wrote && !syncFolder(directory))
        ok = fail(reason,
            QCoreApplication::translate("mako::FolderCollection", "Cannot write %1: %2")
                .arg(directory, QString::fromLocal8Bit(std::strerror(errno))));
    // The new files are in place before the old ones go, so a rename never loses the request.
    QSet<QString> emptied;
    for (auto it = previous.begin(); it != previous.end(); ++it) {
        if (files.contains(it.key()) || !isSafe(it.key()))
            continue;
        const QString path = root.filePath(it.key());
        QFile file(path);
        if (!file.exists())
            continue;
        // Changed since it was read (a pull, an editor): someone's work, which stays.
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != it.value())
            continue;
        file.close();
        if (!file.remove()) {
            ok = fail(reason,
                QCoreApplication::translate("mako::FolderCollection", "Cannot remove %1: %2")
                    .arg(path, file.errorString()));
            continue;
        }
        if (it.key().contains(u'/'))
            emptied.insert(it.key().section(u'/', 0, -2));
    }
    // rmdir removes only empty folders, so a README someone keeps there keeps its folder.
    for (const QString& folder : emptied)
        root.rmdir(folder);
    return ok;
}

} // namespace mako::FolderCollection
