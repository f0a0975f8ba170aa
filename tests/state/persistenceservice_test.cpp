#include "model/uuidtext.h"
#include "staterun.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QList<Collection> sampleCollections(int count)
{
    QList<Collection> collections;
    for (int i = 0; i < count; ++i) {
        const APIRequest request {.name = u"Ünïcode %1"_s.arg(i),
            .url = u"https://a.test/%1"_s.arg(i),
            .createdAt = 786123456.123456789 + i};
        collections.append(Collection {.name = u"C%1"_s.arg(i),
            .requests = {request},
            .folders = {CollectionFolder {.name = u"F"_s, .requestIDs = {request.id}}}});
    }
    return collections;
}

template <typename T> Result<QList<T>> loadNow(PersistenceService& service, const QString& fileName)
{
    Result<QList<T>> result = Error {u"no reply"_s};
    service.load<T>(
        fileName, &service, [&](Result<QList<T>> loaded) { result = std::move(loaded); });
    EXPECT_TRUE(waitUntilIdle(service));
    return result;
}

} // namespace

// A missing file reads as an empty list; a file someone widened is narrowed again on save.
TEST(PersistenceService, roundTripWritesCompactOwnerOnlyFilesThatReadBackEqual)
{
    TempAppFolder folder;
    PersistenceService service(folder.path());
    const auto missing = loadNow<Collection>(service, kCollectionsFile);
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->isEmpty());
    EXPECT_TRUE(folder.fileNames().isEmpty());

    folder.write(kCollectionsFile, "[]");
    QFile::setPermissions(folder.filePath(kCollectionsFile),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    const QList<Collection> collections = sampleCollections(3);
    const QList<HistoryItem> history {HistoryItem {.statusCode = 201, .duration = 0.1 + 0.2}};
    service.save(collections, kCollectionsFile);
    service.save(history, kHistoryFile);
    ASSERT_TRUE(waitUntilIdle(service));

    const QByteArray onDisk = folder.read(kCollectionsFile);
    EXPECT_EQ(onDisk, encodeRecords(collections));
    EXPECT_TRUE(onDisk.contains(uuidToText(collections[1].requests[0].id).toUtf8()));
    EXPECT_FALSE(QString::fromUtf8(onDisk).contains(QRegularExpression(u"\"id\":\"[^\"]*[a-f]"_s)));
    EXPECT_EQ(folder.mode(kCollectionsFile), 0600u);
    EXPECT_EQ(folder.mode(kHistoryFile), 0600u);

    const auto loaded = loadNow<Collection>(service, kCollectionsFile);
    ASSERT_TRUE(loaded.ok()) << loaded.errorMessage().toStdString();
    EXPECT_EQ(encodeRecords(loaded.value()), onDisk);
    EXPECT_EQ(loaded->at(2).requests[0].createdAt, collections[2].requests[0].createdAt);
    const auto loadedHistory = loadNow<HistoryItem>(service, kHistoryFile);
    ASSERT_TRUE(loadedHistory.ok());
    EXPECT_EQ(loadedHistory->at(0).duration, 0.1 + 0.2);
    EXPECT_EQ(loadedHistory->at(0).timestamp, history[0].timestamp);
}

// Every snapshot is queued in order; whatever the service skips, the newest must be what stays.
TEST(PersistenceService, burstOfSavesEndsWithTheNewestSnapshot)
{
    TempAppFolder folder;
    PersistenceService service(folder.path());
    QSignalSpy finished(&service, &PersistenceService::saveFinished);
    const QList<Collection> all = sampleCollections(300);
    for (int size = 1; size <= all.size(); ++size)
        service.save(all.mid(0, size), kCollectionsFile);
    service.save(QList<HistoryItem> {HistoryItem {}}, kHistoryFile);
    service.save(QList<HistoryItem> {}, kHistoryFile);
    ASSERT_TRUE(waitUntilIdle(service));

    EXPECT_EQ(folder.read(kCollectionsFile), encodeRecords(all));
    EXPECT_EQ(folder.read(kHistoryFile), "[]");
    ASSERT_GE(finished.size(), 2);
    for (const auto& arguments : finished)
        EXPECT_TRUE(arguments.at(1).toBool());
}

// The window holds the start-up load back until its first frame: nothing runs before, and then
// the load still reads the file as it was before the save asked for after it.
TEST(PersistenceService, workAskedForBeforeTheStartWaitsThenRunsInOrder)
{
    TempAppFolder folder;
    const QList<Collection> stored = sampleCollections(2);
    const QList<Collection> saved = sampleCollections(5);
    folder.write(kCollectionsFile, encodeRecords(stored));
    PersistenceService service(folder.path(), SerialWorker::Start::OnRequest);
    QList<QByteArray> loads;
    const auto record
        = [&](Result<QList<Collection>> loaded) { loads.append(encodeRecords(loaded.value())); };
    service.load<Collection>(kCollectionsFile, &service, record);
    service.save(saved, kCollectionsFile);
    QTest::qWait(100);
    EXPECT_TRUE(loads.isEmpty());
    EXPECT_EQ(folder.read(kCollectionsFile), encodeRecords(stored));

    service.startWork();
    ASSERT_TRUE(waitUntilIdle(service));
    EXPECT_EQ(loads, QList<QByteArray> {encodeRecords(stored)});
    EXPECT_EQ(folder.read(kCollectionsFile), encodeRecords(saved));
}

// A process killed at any moment of a save leaves a file that decodes: the old one or the new.
TEST(PersistenceService, killedWhileSavingAlwaysLeavesADecodableFile)
{
    TempAppFolder folder;
    auto* random = QRandomGenerator::global();
    QSet<QString> roundsSeen;
    for (int kill = 0; kill < 100; ++kill) {
        QProcess helper;
        helper.start(QStringLiteral(MAKO_KILL_HELPER_PATH), {folder.path()});
        ASSERT_TRUE(helper.waitForStarted(10000));
        // Kill after a random number of landed writes plus a random part of the next one.
        const int landed = 1 + int(random->bounded(6));
        for (qsizetype seen = 0; seen < landed; seen += helper.readAll().count('\n'))
            ASSERT_TRUE(helper.waitForReadyRead(20000)) << "the helper stopped saving";
        QThread::usleep(random->bounded(20000));
        helper.kill();
        ASSERT_TRUE(helper.waitForFinished(10000));
        ASSERT_EQ(helper.exitStatus(), QProcess::CrashExit);

        const auto decoded = decodeRecords<Collection>(folder.read(kCollectionsFile));
        ASSERT_TRUE(decoded.ok()) << "after kill " << kill << ": "
                                  << decoded.errorMessage().toStdString();
        ASSERT_TRUE(decoded->size() == 2 || decoded->size() == 40) << decoded->size();
        roundsSeen.insert(decoded->first().name);
    }
    // The kills landed at different points of the loop, not always at the same one.
    EXPECT_GT(roundsSeen.size(), 1);
}
