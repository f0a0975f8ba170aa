// A curl command sent by mako-cli reaches the peer as the real curl sends it: both send to
// the same loopback peer in the same test, and the two requests are compared.
#include "support/httptestserver.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace mako::test;

namespace {

// A request as the peer saw it, less what may differ between two clients: the User-Agent's
// value, the multipart boundary (and with it the length), the compression offered, the order
// of the headers and the blanks around their values.
QString normalised(const RecordedRequest& request)
{
    QByteArray boundary = request.header("Content-Type");
    const qsizetype at = boundary.indexOf("boundary=");
    boundary = at < 0 ? QByteArray() : boundary.mid(at + 9);
    const auto unbounded = [&](QByteArray bytes) {
        return boundary.isEmpty() ? bytes : bytes.replace(boundary, "BOUNDARY");
    };
    QStringList headers;
    for (const auto& [name, value] : request.headers) {
        const QByteArray key = name.toLower();
        if (key == "accept-encoding" || (key == "content-length" && !boundary.isEmpty()))
            continue;
        headers.append(QString::fromUtf8(
            key + ": " + (key == "user-agent" ? "(agent)" : unbounded(value.trimmed()))));
    }
    headers.sort();
    return QString::fromUtf8(request.method + ' ' + request.target + '\n') + headers.join(u'\n')
        + u"\n\n"_s + QString::fromUtf8(unbounded(request.body));
}

class SendCurl : public ::testing::Test {
protected:
    void SetUp() override
    {
        write(u"lines.txt"_s, QByteArray("a=1\r\nb=2\nc\rd\n\ne\0f\n", 18));
        write(u"note.txt"_s, "first line\nsecond line\n");
    }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // What the peer received from the program, run in the folder that holds the files.
    std::string received(const QString& program, const QStringList& arguments) const
    {
        const qsizetype before = server.requests().size();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, folder.path());
        environment.insert(u"XDG_DATA_HOME"_s, folder.filePath(u"data"_s));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.path());
        process.start(program, arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000))
            return "(did not finish)";
        const QList<RecordedRequest> requests = server.requests();
        if (requests.size() != before + 1)
            return "(" + std::to_string(requests.size() - before) + " requests) "
                + process.readAllStandardError().toStdString();
        return normalised(requests.last()).toStdString();
    }

    QTemporaryDir folder;
    HttpTestServer server;
};

} // namespace

TEST_F(SendCurl, commandsReachThePeerAsCurlSendsThem)
{
    const QString curl = QStandardPaths::findExecutable(u"curl"_s);
    ASSERT_FALSE(curl.isEmpty()) << "the comparison needs curl";
    const QList<QStringList> cases {
        {u"-d"_s, u"amount=2000&currency=usd"_s, u"{url}/v1/charges"_s},
        {u"--json"_s, u"{\"name\":\"Ana\"}"_s, u"{url}/users"_s},
        {u"-d"_s, u"@lines.txt"_s, u"-d"_s, u"@note.txt"_s, u"{url}/lines"_s},
        {u"--data-binary"_s, u"@lines.txt"_s, u"{url}/lines"_s},
        {u"--data-urlencode"_s, u"note@lines.txt"_s, u"{url}/encoded"_s},
        {u"-F"_s, u"name=Ana"_s, u"-F"_s, u"msg=<note.txt"_s, u"{url}/upload?x=1"_s},
        {u"-X"_s, u"GET"_s, u"-d"_s, u"{\"query\":{\"match_all\":{}}}"_s, u"{url}/_search"_s},
        {u"{url}/q?pretty&time=2015-07-01T20:10:51.781Z&_source=name,reviews&q=a+b"_s},
        {u"-G"_s, u"-d"_s, u"a=1"_s, u"--data-urlencode"_s, u"q=x y"_s, u"{url}/find?k=v"_s},
        {u"-u"_s, u"ann:p@ss"_s, u"{url}/private"_s},
        {u"-H"_s, u"Content-Type:"_s, u"-d"_s, u"[1]"_s, u"{url}/raw"_s},
        {u"-X"_s, u"PUT"_s, u"-H"_s, u"X-Trace: 1"_s, u"-b"_s, u"a=1"_s, u"-A"_s, u"agent"_s,
            u"-e"_s, u"https://ref.test"_s, u"{url}/items/1"_s},
    };
    for (QStringList arguments : cases) {
        arguments.replaceInStrings(u"{url}"_s, server.baseUrl());
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        // After "--" every word is curl's, --json and -e included.
        EXPECT_EQ(
            received(QStringLiteral(MAKO_CLI_PATH), QStringList {u"send"_s, u"--"_s} + arguments),
            received(curl, QStringList {u"-s"_s, u"-o"_s, u"/dev/null"_s} + arguments));
    }
}
