#include "state/sessionstore.h"
#include "staterun.h"
#include "ui/shell/singleinstance.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
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

// The folder under `home` where the program keeps its data, made with `files` in it.
QString dataFolder(const QTemporaryDir& home, const QHash<QString, QByteArray>& files = {})
{
    const QString folder = home.filePath(u"data/com.quorin.mako"_s);
    EXPECT_TRUE(QDir().mkpath(folder));
    for (auto file = files.begin(); file != files.end(); ++file) {
        QFile out(folder + u'/' + file.key());
        EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << file.key().toStdString();
        out.write(file.value());
    }
    return folder;
}

// The bytes of `path`; empty when it cannot be read.
QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

// An X server of its own, so that the real program gets real key presses without a desktop.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        // The server writes its display number once it accepts connections.
        // Without -noreset the server resets whenever its last client leaves, and a program
        // started in that moment finds no display: the second start of a test would.
        m_server.start(u"Xvfb"_s,
            {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x800x24"_s, u"-nolisten"_s,
                u"tcp"_s, u"-noreset"_s});
        if (!m_server.waitForStarted(20000))
            return;
        if (!QTest::qWaitFor([this] { return m_server.canReadLine(); }, 20000))
            return;
        const QByteArray number = m_server.readLine().trimmed();
        if (number.isEmpty())
            return;
        m_name = u':' + QString::fromLatin1(number);
        // Only a server that answers a client is ready for the program.
        if (!QTest::qWaitFor(
                [this] { return xdotool({u"getdisplaygeometry"_s}).has_value(); }, 20000))
            m_name.clear();
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(20000);
    }

    /// ":N", or empty when the server did not come up.
    const QString& name() const { return m_name; }
    /// What the server said, for a failure's report.
    QByteArray messages() { return m_server.readAllStandardError(); }

    /// Runs xdotool on this display; its standard output, or nothing when it failed.
    std::optional<QByteArray> xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_name);
        tool.setProcessEnvironment(environment);
        tool.start(u"xdotool"_s, arguments);
        if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
            return std::nullopt;
        return tool.readAllStandardOutput();
    }

private:
    QProcess m_server;
    QString m_name;
};

// Mako on `display`, on the data and preferences below `home`.
struct DisplayedMako {
    DisplayedMako(const VirtualDisplay& display, const QTemporaryDir& home)
        : display(display)
    {
        QProcessEnvironment environment = isolatedEnvironment(home);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"DISPLAY"_s, display.name());
        environment.insert(u"NO_AT_BRIDGE"_s, u"1"_s);
        // Under the sanitizers, the X11 path runs system libraries that the in-process tests
        // never load: libxkbcommon's keymap reader trips ASan's strict strndup check, and
        // libdbus keeps allocations to the end. Neither is Mako's; its own leaks and overruns
        // are still reported.
        if (environment.contains(u"ASAN_OPTIONS"_s)) {
            environment.insert(u"ASAN_OPTIONS"_s,
                environment.value(u"ASAN_OPTIONS"_s) + u":intercept_strndup=0"_s);
            environment.insert(u"LSAN_OPTIONS"_s,
                u"suppressions="_s + QStringLiteral(MAKO_TEST_DATA_DIR) + u"/x11-system.lsan"_s);
        }
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(MAKO_APP_PATH), {});
    }
    ~DisplayedMako()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(20000);
        }
    }

    /// Waits for the window and gives it the keyboard. Focusing can fail while the window is
    /// found but not yet mapped on a busy machine, so both are tried again until they hold.
    bool focusWindow()
    {
        return QTest::qWaitFor(
            [&] {
                const QByteArray window
                    = display.xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Mako$"_s})
                          .value_or(QByteArray())
                          .split('\n')
                          .first()
                          .trimmed();
                return !window.isEmpty()
                    && display.xdotool({u"windowfocus"_s, QString::fromLatin1(window)}).has_value();
            },
            20000);
    }
    bool keys(const QString& chord) const { return display.xdotool({u"key"_s, chord}).has_value(); }
    bool type(const QString& text) const
    {
        return display.xdotool({u"type"_s, u"--delay"_s, u"40"_s, text}).has_value();
    }
    /// Quits the way a desktop session's end does, and waits for the process to end.
    bool terminate()
    {
        process.terminate();
        return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }

    const VirtualDisplay& display;
    QProcess process;
};

} // namespace

// Three tabs opened by keyboard in the real program (a GraphQL request, a stored request with
// an edit, a new draft) are written while it runs, kept through a SIGTERM, and open again in the
// next run: what that run holds is read back from the session it writes after one more key.
TEST(MakoProcess, openTabsComeBackAfterSigtermAndARestart)
{
    for (const QString& tool : {u"Xvfb"_s, u"xdotool"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            GTEST_SKIP() << tool.toStdString()
                         << " is not installed: it drives the real window (make test-deps)";
    }
    QTemporaryDir home;
    // "Users" has no URL yet, so the URL field takes the keyboard when it opens.
    const APIRequest users {.name = u"Users"_s};
    const APIRequest& query = kViewerQuery;
    const Collection collection {.name = u"API"_s, .requests = {users, query}};
    const QString folder
        = dataFolder(home, {{kCollectionsFile, encodeRecords(QList {collection})}});
    const auto session = [&] {
        const auto tabs = decodeRecords<SessionTab>(contents(folder + u'/' + kSessionFile));
        return tabs ? tabs.value() : QList<SessionTab> {};
    };
    // The session is written while the program runs, which is also how the test knows that a
    // step has been taken before it takes the next.
    const auto written = [&](const std::function<bool(const QList<SessionTab>&)>& holds) {
        return QTest::qWaitFor([&] { return holds(session()); }, 20000);
    };

    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty())
        << "Xvfb did not start: " << display.messages().toStdString();
    {
        DisplayedMako mako(display, home);
        ASSERT_TRUE(mako.focusWindow()) << mako.process.readAllStandardError().toStdString()
                                        << display.messages().toStdString();
        ASSERT_TRUE(mako.keys(u"ctrl+p"_s) && mako.type(u"Viewer"_s) && mako.keys(u"Return"_s));
        ASSERT_TRUE(written([](const auto& tabs) { return tabs.size() == 1; }));
        ASSERT_TRUE(mako.keys(u"ctrl+p"_s) && mako.type(u"Users"_s) && mako.keys(u"Return"_s));
        ASSERT_TRUE(written([](const auto& tabs) { return tabs.size() == 2; }));
        ASSERT_TRUE(mako.type(u"https://api.test/users"_s));
        ASSERT_TRUE(written([](const auto& tabs) {
            return tabs.size() == 2 && tabs[1].request.url == u"https://api.test/users"_s;
        }));
        ASSERT_TRUE(mako.keys(u"ctrl+n"_s));
        ASSERT_TRUE(written([](const auto& tabs) { return tabs.size() == 3; }));
        ASSERT_TRUE(mako.type(u"https://api.test/draft"_s));
        ASSERT_TRUE(written([](const auto& tabs) {
            return tabs.size() == 3 && tabs[2].request.url == u"https://api.test/draft"_s;
        }));
        ASSERT_TRUE(mako.terminate()) << mako.process.readAllStandardError().toStdString();
    }
    const QList<SessionTab> first = session();
    ASSERT_EQ(first.size(), 3);
    EXPECT_EQ(first[0].request, query);
    EXPECT_EQ(first[0].origin, RequestOrigin::collection(collection.id));
    EXPECT_EQ(first[1].request.id, users.id);
    EXPECT_EQ(first[1].origin, RequestOrigin::collection(collection.id));
    EXPECT_EQ(first[2].origin, RequestOrigin::none());
    EXPECT_TRUE(first[2].isActive);

    {
        DisplayedMako mako(display, home);
        ASSERT_TRUE(mako.focusWindow()) << mako.process.readAllStandardError().toStdString()
                                        << display.messages().toStdString();
        // A new tab joins whatever the run holds then, and the run writes all of it.
        ASSERT_TRUE(mako.keys(u"ctrl+n"_s));
        ASSERT_TRUE(written([](const auto& tabs) { return tabs.size() != 3; }))
            << "the second run wrote no session";
        ASSERT_TRUE(mako.terminate()) << mako.process.readAllStandardError().toStdString();
    }
    const QList<SessionTab> second = session();
    ASSERT_EQ(second.size(), 4);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(second[index].id, first[index].id) << index;
        EXPECT_EQ(second[index].request, first[index].request) << index;
        EXPECT_EQ(second[index].origin, first[index].origin) << index;
    }
    EXPECT_TRUE(second[3].isActive);
}

TEST(MakoProcess, startsOnItsDataAndQuitsCleanlyOnSigterm)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "reads the signal mask from /proc";
#else
    QTemporaryDir home;
    const QString settingsFile = home.filePath(u"config/com.quorin.mako/com.quorin.mako.conf"_s);
    const QHash<QString, QByteArray> files {
        {kCollectionsFile, encodeRecords(QList<Collection> {Collection {.name = u"Kept"_s}})},
        {kEnvironmentsFile,
            encodeRecords(QList<APIEnvironment> {APIEnvironment {.name = u"Staging"_s}})},
        {kHistoryFile, encodeRecords(QList<HistoryItem> {HistoryItem {.statusCode = 204}})},
    };
    const QString folder = dataFolder(home, files);

    QProcess mako;
    mako.setProcessEnvironment(isolatedEnvironment(home));
    mako.start(QStringLiteral(MAKO_APP_PATH), {});
    ASSERT_TRUE(mako.waitForStarted(20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return catches(mako.processId(), SIGTERM); }, 20000));

    mako.terminate();
    ASSERT_TRUE(mako.waitForFinished(20000));
    EXPECT_EQ(mako.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(mako.exitCode(), 0) << mako.readAllStandardError().toStdString();
    for (auto file = files.begin(); file != files.end(); ++file)
        EXPECT_EQ(contents(folder + u'/' + file.key()), file.value()) << file.key().toStdString();
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
