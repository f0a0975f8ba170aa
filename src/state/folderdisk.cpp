#include "state/folderdisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

void FolderDisk::remember(
    const FolderCollection::Files& read, const FolderCollection::Decoded& decoded)
{
    files = read;
    contents = decoded.contents;
    problems = decoded.problems;
    unreadable.clear();
    for (const FolderCollection::Problem& problem : problems)
        unreadable.insert(problem.path, files.value(problem.path));
    requestAt.clear();
    for (const APIRequest& request : contents.collection.requests) {
        if (const QString at = decoded.paths.value(request.id); !at.isEmpty())
            requestAt.insert(at, request.id);
    }
}

APIRequest withoutFreshParts(APIRequest request)
{
    for (QList<KeyValuePair>* rows : {&request.headers, &request.queryParams}) {
        for (KeyValuePair& row : *rows)
            row.id = QUuid();
    }
    request.createdAt = 0;
    request.updatedAt = 0;
    return request;
}

QStringList pathsToWatch(const QString& path, const FolderCollection::Files& files)
{
    // Folders first: a watch that is added late misses nothing there but a file's own change.
    QStringList paths {path};
    const QDir folder(path);
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        paths.append(folder.filePath(name));
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        paths.append(folder.filePath(file.key()));
    return paths;
}

FolderRead readFolder(const QString& path, FolderDisk& disk, bool onlyIfChanged)
{
    FolderRead read;
    auto files = FolderCollection::read(path);
    if (!files) {
        read.failure = files.errorMessage();
        return read;
    }
    read.watched = pathsToWatch(path, files.value());
    if (onlyIfChanged && files.value() == disk.files) {
        read.changed = false;
        return read;
    }
    auto decoded = FolderCollection::decode(files.value());
    if (!decoded) {
        read.failure = decoded.errorMessage();
        return read;
    }
    QHash<QUuid, APIRequest> before;
    for (const APIRequest& request : disk.contents.collection.requests)
        before.insert(request.id, withoutFreshParts(request));
    for (const APIRequest& request : decoded.value().contents.collection.requests) {
        const auto old = before.constFind(request.id);
        if (old == before.cend() || *old != withoutFreshParts(request))
            read.touched.insert(request.id);
    }
    disk.remember(files.value(), decoded.value());
    read.problems = disk.problems;
    read.contents = disk.contents;
    return read;
}

namespace {

// Whether the folder `relative` ("" for the top) holds the same JSON files and folders as
// `files` lists there; a file added, removed or renamed needs the whole folder read.
bool sameEntries(const QString& path, const QString& relative, const FolderCollection::Files& files)
{
    const QString prefix = relative.isEmpty() ? QString() : relative + u'/';
    QSet<QString> known;
    QSet<QString> knownFolders;
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        if (!file.key().startsWith(prefix))
            continue;
        const QString rest = file.key().mid(prefix.size());
        const qsizetype slash = rest.indexOf(u'/');
        if (slash < 0)
            known.insert(rest);
        else
            knownFolders.insert(rest.left(slash));
    }
    const QDir folder(QDir(path).filePath(relative));
    const QStringList names = folder.entryList({u"*.json"_s}, QDir::Files);
    const QStringList folders = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return QSet<QString>(names.cbegin(), names.cend()) == known
        && QSet<QString>(folders.cbegin(), folders.cend()) == knownFolders;
}

} // namespace

std::optional<FolderRead> readChangedFiles(
    const QString& path, FolderDisk& disk, const QSet<QString>& changed)
{
    const QDir root(path);
    FolderCollection::Files fresh;
    QStringList folders;
    for (const QString& absolute : changed) {
        QString relative = root.relativeFilePath(absolute);
        if (relative == u"."_s)
            relative.clear();
        if (relative.startsWith(u".."_s))
            return std::nullopt;
        if (QFileInfo(absolute).isDir()) {
            if (!sameEntries(path, relative, disk.files))
                return std::nullopt;
            folders.append(absolute);
            continue;
        }
        if (!disk.files.contains(relative))
            return std::nullopt;
        QFile file(absolute);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        fresh.insert(relative, file.readAll());
    }
    FolderRead read;
    read.watched = folders;
    read.contents = disk.contents;
    read.problems = disk.problems;
    QHash<QUuid, qsizetype> at;
    for (qsizetype index = 0; index < read.contents.collection.requests.size(); ++index)
        at.insert(read.contents.collection.requests[index].id, index);
    for (auto file = fresh.cbegin(); file != fresh.cend(); ++file) {
        read.watched.append(root.filePath(file.key()));
        if (disk.files.value(file.key()) == file.value())
            continue;
        // Only a request file that still parses and holds the same request is taken in alone;
        // anything else (the collection's or a folder's file, an environment, a broken file)
        // can change more than itself.
        const QUuid id = disk.requestAt.value(file.key());
        if (id.isNull())
            return std::nullopt;
        auto request = FolderCollection::decodeRequest(file.value(), file.key());
        if (!request || request.value().id != id || !at.contains(id))
            return std::nullopt;
        APIRequest& kept = read.contents.collection.requests[at.value(id)];
        if (withoutFreshParts(kept) != withoutFreshParts(request.value()))
            read.touched.insert(id);
        kept = std::move(request).value();
    }
    for (auto file = fresh.cbegin(); file != fresh.cend(); ++file)
        disk.files.insert(file.key(), file.value());
    disk.contents = read.contents;
    read.changed = !read.touched.isEmpty();
    return read;
}

} // namespace mako
