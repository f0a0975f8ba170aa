#include "cli/cli.h"
#include "support/qtprinters.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct CliRun {
    int status;
    QByteArray out;
    QByteArray err;
};

CliRun run(const QStringList& arguments, const QByteArray& input = {})
{
    QByteArray inBytes = input;
    QBuffer in(&inBytes);
    QBuffer out;
    QBuffer err;
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = mako::cli::run(arguments, in, out, err);
    return {status, out.data(), err.data()};
}

} // namespace

TEST(CliFormat, prettyPrintsStandardInputOrAFile)
{
    const CliRun json = run({u"format"_s}, R"({"b":1,"a":12345678901234567890})");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "{\n  \"a\" : 12345678901234567890,\n  \"b\" : 1\n}\n");

    QTemporaryDir dir;
    const QString path = dir.filePath(u"body.xml"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<a><b/></a>");
    file.close();
    const CliRun xml = run({u"format"_s, u"--content-type"_s, u"text/xml"_s, path});
    EXPECT_EQ(xml.status, 0);
    EXPECT_EQ(xml.out, "<a>\n  <b/>\n</a>\n");
}

TEST(CliFormat, badUsageExitsWithTwoAndWritesNothing)
{
    for (const QStringList& arguments : {QStringList {}, QStringList {u"frobnicate"_s},
             QStringList {u"format"_s, u"/nonexistent/body.json"_s},
             QStringList {u"format"_s, u"--bogus"_s}, QStringList {u"format"_s, u"a"_s, u"b"_s}}) {
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(run({u"--help"_s}).status, 0);
}
