#include "model/recordjson.h"
#include "state/persistenceservice.h"
#include "support/tempappfolder.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    mako.setProcessEnvironment(environment);
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
