#include "ui/response/lineindex.h"
#include "ui/response/linematcher.h"

#include <QByteArray>
#include <QList>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

// Indexes `text` in pieces of `piece` bytes, as the pool does, and reads every line back.
QList<QByteArray> linesThroughIndex(const QByteArray& text, qint64 piece)
{
    LineIndex index;
    LineIndex::Scan scan;
    while (!scan.done)
        index.append(LineIndex::scan(text, scan, scan.lineStart + piece), scan);
    QList<QByteArray> lines;
    for (qint64 line = 0; line < index.lineCount(); ++line)
        lines.append(index.line(text, line).toByteArray());
    return lines;
}

} // namespace

TEST(LineIndex, readsBackTheSameLinesAsASplitAtLineFeeds)
{
    QByteArray many;
    for (int i = 0; i < 1000; ++i)
        many += "  \"key" + QByteArray::number(i) + "\" : " + QByteArray::number(i * 7) + ",\n";
    const QByteArray longLine(200 * 1024, 'x');
    const QByteArray texts[] = {"", "\n", "one", "one\n", "a\nb\n\nc", "\n\n\n", many,
        "short\n" + longLine + "\nafter\n" + longLine, longLine + '\n' + many};
    for (const QByteArray& text : texts) {
        for (qint64 piece : {qint64(1), qint64(7), qint64(4096), qint64(1) << 30}) {
            const QList<QByteArray> lines = linesThroughIndex(text, piece);
            EXPECT_EQ(lines, text.split('\n')) << text.left(40).constData() << " piece " << piece;
        }
    }
}

TEST(LineIndex, longestLineAndCountGrowWithThePiecesScanned)
{
    const QByteArray text = "ab\n" + QByteArray(100, 'x') + "\nc";
    LineIndex index;
    LineIndex::Scan scan;
    index.append(LineIndex::scan(text, scan, 1), scan);
    EXPECT_EQ(index.lineCount(), 1);
    EXPECT_FALSE(index.isComplete());
    while (!scan.done)
        index.append(LineIndex::scan(text, scan, scan.lineStart + 1), scan);
    EXPECT_EQ(index.lineCount(), 3);
    EXPECT_EQ(index.longestLine(), 100);
    EXPECT_TRUE(index.isComplete());
}

TEST(LineMatcher, containsIgnoringCaseOnBytesAndOnDecodedText)
{
    struct Case {
        QString query;
        QByteArray line;
        bool matches;
    };
    const Case cases[] = {{u"id"_s, "  \"ID\" : 4", true}, {u"Id"_s, "userid", true},
        {u"id"_s, "i d", false}, {u"abc"_s, "ab", false}, {u"x"_s, "", false},
        {u"É"_s, "caf\xc3\xa9", true}, {u"café"_s, "CAF\xc3\x89!", true}, {u"é"_s, "cafe", false},
        {u"zz"_s, "\xff\xfezZ", true}};
    for (const Case& c : cases)
        EXPECT_EQ(LineMatcher(c.query).matches(c.line), c.matches)
            << c.query.toStdString() << " in " << c.line.constData();
}

TEST(LineMatcher, scanKeepsTheNumbersOfMatchingLinesAcrossPieces)
{
    const QByteArray text = "a\nID 1\nb\nc\nxid\n";
    const LineMatcher matcher(u"id"_s);
    for (qint64 piece : {qint64(1), qint64(3), qint64(100)}) {
        std::vector<quint32> kept;
        qint64 at = 0;
        qint64 line = 0;
        while (at <= text.size())
            at = matcher.scan(text, at, at + piece, line, kept);
        EXPECT_EQ(kept, (std::vector<quint32> {1, 4})) << piece;
        EXPECT_EQ(line, 6);
    }
}
