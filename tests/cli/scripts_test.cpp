// End-to-end: the scripts fixture collection run by the built mako-cli, and (where the
// benchmark's npm folder holds it) by the reference runner against the same loopback peer.
#include "model/recordjson.h"
#include "support/httptestserver.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

using namespace Qt::StringLiterals;
using namespace mako;
using namespace mako::test;

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(MAKO_TEST_DATA_DIR "/scripts/") + name;
}

struct Finished {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Finished runProcess(const QString& program, const QStringList& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_DATA_HOME"_s, home + u"/data"_s);
    environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/config"_s);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject readObject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto parsed = parseJson(file.readAll());
    return parsed ? parsed->toObject() : QJsonObject();
}

// "request / test: pass|fail" for every test in run order.
QStringList makoVerdicts(const QJsonObject& report)
{
    QStringList verdicts;
    for (const QJsonValue& result : report[u"results"_s].toArray()) {
        for (const QJsonValue& test : result[u"tests"_s].toArray()) {
            verdicts.append(result[u"name"_s].toString() + u" / "_s + test[u"name"_s].toString()
                + (test[u"passed"_s].toBool() ? u": pass"_s : u": fail"_s));
        }
    }
    return verdicts;
}

QStringList referenceVerdicts(const QJsonObject& report)
{
    QStringList verdicts;
    QHash<QString, bool> seen;
    for (const QJsonValue& execution : report[u"run"_s][u"executions"_s].toArray()) {
        // A request that sent one of its own (pm.sendRequest) is listed once more with the same
        // cursor and the same assertions.
        const QString cursor = execution[u"cursor"_s][u"ref"_s].toString();
        if (!cursor.isEmpty() && std::exchange(seen[cursor], true))
            continue;
        const QString request = execution[u"item"_s][u"name"_s].toString();
        for (const QJsonValue& assertion : execution[u"assertions"_s].toArray()) {
            verdicts.append(request + u" / "_s + assertion[u"assertion"_s].toString()
                + (assertion[u"error"_s].isObject() ? u": fail"_s : u": pass"_s));
        }
    }
    return verdicts;
}

class CliScripts : public ::testing::Test {
protected:
    QStringList makoArguments(const QString& data, const QString& report) const
    {
        return {u"run"_s, fixture(u"scripts.postman_collection.json"_s), u"--var"_s,
            u"base="_s + server.baseUrl(), u"--environment"_s,
            fixture(u"fixture.postman_environment.json"_s), u"--iteration-data"_s, data,
            u"--json"_s, u"-o"_s, report};
    }

    QTemporaryDir sandbox;
    HttpTestServer server;
};

} // namespace

// The fixture's scripts in the shapes shared collections use: a token chain, folder and
// collection scripts, precedence, legacy tests, pm.sendRequest, an async test, libraries, a
// failing test, a throwing script and a jump, once per data row from CSV and from JSON.
TEST_F(CliScripts, fixtureRunsWithItsVerdictsFromCsvAndJsonData)
{
    for (const QString& data : {u"users.csv"_s, u"users.json"_s}) {
        SCOPED_TRACE(data.toStdString());
        const QString report = sandbox.filePath(data + u".report.json"_s);
        const Finished run = runProcess(
            QStringLiteral(MAKO_CLI_PATH), makoArguments(fixture(data), report), sandbox.path());
        EXPECT_EQ(run.status, 1) << run.err.toStdString();
        const QStringList verdicts = makoVerdicts(readObject(report));
        ASSERT_EQ(verdicts.size() % 2, 0);
        const QStringList second = verdicts.mid(verdicts.size() / 2);
        EXPECT_TRUE(second.contains(u"Precedence / data variable bob, jr: pass"_s))
            << second.join(u'\n').toStdString();
        const QStringList failed = verdicts.filter(u": fail"_s);
        EXPECT_EQ(failed,
            (QStringList {u"Legacy / a false legacy test: fail"_s,
                u"Expects a 404 / status is 404: fail"_s, u"Legacy / a false legacy test: fail"_s,
                u"Expects a 404 / status is 404: fail"_s}))
            << verdicts.join(u'\n').toStdString();
        EXPECT_EQ(verdicts.filter(u"Skipped"_s), QStringList {});
        EXPECT_EQ(verdicts.filter(u"after the throw"_s), QStringList {});
        EXPECT_EQ(verdicts.filter(u": pass"_s).size(), 2 * 27)
            << verdicts.join(u'\n').toStdString();
    }
}

// --bail ends the run at the first request whose test fails, though its status was fine.
TEST_F(CliScripts, bailStopsAtTheFirstFailingTest)
{
    const QString report = sandbox.filePath(u"bail.json"_s);
    QStringList arguments = makoArguments(fixture(u"users.json"_s), report);
    arguments.append(u"--bail"_s);
    const Finished run = runProcess(QStringLiteral(MAKO_CLI_PATH), arguments, sandbox.path());
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    QStringList names;
    for (const QJsonValue& result : readObject(report)[u"results"_s].toArray())
        names.append(result[u"name"_s].toString());
    EXPECT_EQ(names, (QStringList {u"Log in"_s, u"Who am I"_s, u"Precedence"_s, u"Legacy"_s}));
}

// Every test's name and verdict as the reference runner gives them, in the same order.
TEST_F(CliScripts, verdictsMatchTheReferenceRunner)
{
    const QString reference = QStringLiteral(MAKO_NEWMAN_PATH);
    if (!QFileInfo(reference).isExecutable())
        GTEST_SKIP() << "the reference runner is not installed (make bench installs it)";
    const QString makoReport = sandbox.filePath(u"mako.json"_s);
    runProcess(QStringLiteral(MAKO_CLI_PATH), makoArguments(fixture(u"users.csv"_s), makoReport),
        sandbox.path());
    const QString referenceReport = sandbox.filePath(u"reference.json"_s);
    const Finished run = runProcess(reference,
        {u"run"_s, fixture(u"scripts.postman_collection.json"_s), u"--global-var"_s,
            u"base="_s + server.baseUrl(), u"-e"_s, fixture(u"fixture.postman_environment.json"_s),
            u"-d"_s, fixture(u"users.csv"_s), u"-r"_s, u"json"_s, u"--reporter-json-export"_s,
            referenceReport},
        sandbox.path());
    ASSERT_NE(run.status, -1);
    const QStringList expected = referenceVerdicts(readObject(referenceReport));
    ASSERT_FALSE(expected.isEmpty()) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(makoVerdicts(readObject(makoReport)).join(u'\n').toStdString(),
        expected.join(u'\n').toStdString());
}

// A stored request sent alone runs its own scripts: the pre-request script's header goes out,
// the tests are listed beside the response and decide the exit status.
TEST_F(CliScripts, sendRunsTheRequestsScriptsAndItsTestsDecide)
{
    const auto requestFile = [&](const QString& tests) {
        const APIRequest request {.name = u"Scripted"_s,
            .url = server.baseUrl() + u"/items"_s,
            .preRequestScript = u"pm.request.headers.add({key: 'X-Pre', value: 'yes'});"_s,
            .testScript = tests};
        const QString path = sandbox.filePath(u"request.json"_s);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(writeJson(toJson(request), JsonStyle::Pretty));
        return path;
    };
    const Finished passing = runProcess(QStringLiteral(MAKO_CLI_PATH),
        {u"send"_s,
            requestFile(u"pm.test('header went', () => pm.expect(pm.response.json().headers"
                        "['X-Pre']).to.eql('yes'));"_s)},
        sandbox.path());
    EXPECT_EQ(passing.status, 0) << passing.err.toStdString();
    EXPECT_TRUE(passing.err.contains("header went")) << passing.err.toStdString();
    EXPECT_TRUE(passing.out.contains("X-Pre")) << passing.out.toStdString();

    const Finished failing = runProcess(QStringLiteral(MAKO_CLI_PATH),
        {u"send"_s, requestFile(u"pm.test('is 404', () => pm.response.to.have.status(404));"_s),
            u"--json"_s},
        sandbox.path());
    EXPECT_EQ(failing.status, 1);
    const auto report = parseJson(failing.out);
    ASSERT_TRUE(report) << failing.out.toStdString();
    const QJsonArray tests = report->toObject()[u"tests"_s].toArray();
    ASSERT_EQ(tests.size(), 1);
    EXPECT_EQ(tests[0][u"name"_s].toString(), u"is 404"_s);
    EXPECT_FALSE(tests[0][u"passed"_s].toBool());
}
