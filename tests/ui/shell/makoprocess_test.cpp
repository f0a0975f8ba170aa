#include "model/recordjson.h"
#include "state/persistenceservice.h"
#include "support/tempappfolder.h"
#include "ui/shell/singleinstance.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QProcessEnvironment isolatedEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    return environment;
}

#ifdef Q_OS_LINUX
// Whether the process has its own handler for `signal` in place, read from the kernel's view of
// it: until then a SIGTERM would kill it on the spot, which is not what this test is about.
bool catches(qint64 pid, int signal)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}
#endif

} // namespace

TEST(MakoProcess, startsOnItsDataAndQuitsCleanlyOnSigterm)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "reads the signal mask from /proc";
#else
    QTemporaryDir home;
    const QString dataFolder = home.filePath(u"data/com.quorin.mako"_s);
    const QString settingsFile = home.filePath(u"config/com.quorin.mako/com.quorin.mako.conf"_s);
    const QHash<QString, QByteArray> files {
        {PersistenceService::kCollectionsFile,
            encodeRecords(QList<Collection> {Collection {.name = u"Kept"_s}})},
        {PersistenceService::kEnvironmentsFile,
            encodeRecords(QList<APIEnvironment> {APIEnvironment {.name = u"Staging"_s}})},
        {PersistenceService::kHistoryFile,
            encodeRecords(QList<HistoryItem> {HistoryItem {.statusCode = 204}})},
    };
    QDir().mkpath(dataFolder);
    for (auto file = files.begin(); file != files.end(); ++file) {
        QFile out(dataFolder + u'/' + file.key());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file.value());
    }

    QProcess mako;
    mako.setProcessEnvironment(isolatedEnvironment(home));
    mako.start(QStringLiteral(MAKO_APP_PATH), {});
    ASSERT_TRUE(mako.waitForStarted(20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return catches(mako.processId(), SIGTERM); }, 20000));

    mako.terminate();
    ASSERT_TRUE(mako.waitForFinished(20000));
    EXPECT_EQ(mako.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(mako.exitCode(), 0) << mako.readAllStandardError().toStdString();
    for (auto file = files.begin(); file != files.end(); ++file) {
        QFile in(dataFolder + u'/' + file.key());
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        EXPECT_EQ(in.readAll(), file.value()) << file.key().toStdString();
    }
    // The quit went the ordinary way: the window stored its place on the way out.
    EXPECT_TRUE(QSettings(settingsFile, QSettings::IniFormat).contains(u"window/geometry"_s));
#endif
}

TEST(MakoProcess, aSecondStartOnTheSameDataRaisesTheFirstAndQuits)
{
    QTemporaryDir home;
    SingleInstance first(home.filePath(u"data/com.quorin.mako"_s));
    // What a crashed instance leaves behind must not keep the next one from listening.
    QFile stale(first.serverName());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ASSERT_TRUE(first.listen());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    QProcess second;
    second.setProcessEnvironment(isolatedEnvironment(home));
    second.start(QStringLiteral(MAKO_APP_PATH), {});
    ASSERT_TRUE(second.waitForStarted(20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised.count() == 1; }, 5000));
    // It quit before it had a window: no preference file was written.
    EXPECT_FALSE(QFile::exists(home.filePath(u"config/com.quorin.mako/com.quorin.mako.conf"_s)));
}
