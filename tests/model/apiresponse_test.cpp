#include "model/apiresponse.h"
#include "model/jsonwriter.h"
#include "model/prettyjson.h"
#include "support/qtprinters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <random>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

APIResponse response(const QString& contentType, const QByteArray& body,
    const QString& headerName = u"Content-Type"_s)
{
    APIResponse r;
    if (!contentType.isNull())
        r.headers.insert(headerName, contentType);
    r.body = body;
    r.size = body.size();
    return r;
}

QByteArray pretty(const QByteArray& json)
{
    return prettyPrintJson(json).value_or("<not JSON>");
}

} // namespace

// Header names and media types compare ignoring case; the type picks the formatter, and a reply
// keeps its slashes unescaped and its numbers as sent, so that a URL copied out of it works.
TEST(ResponseText, prettyBodyRoutesByContentTypeIgnoringCase)
{
    const QByteArray sorted = "{\n  \"a\" : 2,\n  \"b\" : 1\n}";
    const struct {
        QString name, type;
        QByteArray body, shown;
    } cases[] = {
        {u"Content-Type"_s, u"application/json"_s, R"({"b":1,"a":2})", sorted},
        {u"content-type"_s, u"application/json"_s, R"({"b":1,"a":2})", sorted},
        {u"Content-type"_s, u"application/json"_s, R"({"b":1,"a":2})", sorted},
        {u"CONTENT-TYPE"_s, u"Application/JSON; charset=UTF-8"_s, R"({"b":1,"a":2})", sorted},
        {u"CONTENT-TYPE"_s, u"TEXT/XML"_s, "<a><b/></a>", "<a>\n  <b/>\n</a>"},
        {u"Content-Type"_s, u"application/json; charset=utf-8"_s, R"({"b":1,"a":[1,2]})",
            "{\n  \"a\" : [\n    1,\n    2\n  ],\n  \"b\" : 1\n}"},
        {u"Content-Type"_s, u"application/json"_s, "42", "42"},
        {u"Content-Type"_s, u"application/json"_s, "{oops", "{oops"},
        {u"Content-Type"_s, u"application/json"_s, "{\"a\":\"\xff\"}", "Unable to decode response"},
        {u"Content-Type"_s, u"text/html"_s, "<a><b/></a>", "<a>\n  <b/>\n</a>"},
        {u"Content-Type"_s, u"text/plain"_s, "<a><b/></a>", "<a><b/></a>"},
        {u"Content-Type"_s, u"text/xml"_s, "<a>\xc3", "Unable to decode response"},
        {u"Content-Type"_s, u"application/json"_s,
            R"({"u":"http:\/\/host\/x","t":"a/b\"c","id":12345678901234567890,"f":1.10})",
            "{\n  \"f\" : 1.10,\n  \"id\" : 12345678901234567890,\n  \"t\" : \"a/b\\\"c\",\n"
            "  \"u\" : \"http://host/x\"\n}"},
    };
    for (const auto& c : cases) {
        const APIResponse r = response(c.type, c.body, c.name);
        EXPECT_EQ(r.contentType(), c.type) << c.name.toStdString();
        EXPECT_EQ(r.prettyBody(), c.shown) << c.type.toStdString() << " " << c.body.toStdString();
    }
    EXPECT_EQ(response(u"text/plain"_s, "{}").header(u"content-length"), std::nullopt);
}

// Number literals are kept exactly, strings get one canonical form (escaping "/" for others),
// keys are sorted and the last of two equal keys wins.
TEST(PrettyJson, layoutOfNumbersStringsNestingAndDuplicates)
{
    const struct {
        QByteArray json, pretty;
    } cases[] = {
        {R"([12345678901234567890,1.10,1e400,-0,1E+2,0.000001])",
            "[\n  12345678901234567890,\n  1.10,\n  1e400,\n  -0,\n  1E+2,\n  0.000001\n]"},
        {R"({"id":9007199254740993})", "{\n  \"id\" : 9007199254740993\n}"},
        {R"(["a/b","\/","\u00e9\n\t","\ud83d\ude00","\u0001","\ud800x","é"])",
            "[\n  \"a\\/b\",\n  \"\\/\",\n  \"\xc3\xa9\\n\\t\",\n  \"\xf0\x9f\x98\x80\",\n"
            "  \"\\u0001\",\n  \"\\ud800x\",\n  \"\xc3\xa9\"\n]"},
        {R"({"\u0062":1,"a":2})", "{\n  \"a\" : 2,\n  \"b\" : 1\n}"},
        {" {\"z\":{},\"y\":[],\"x\":[{\"k\":null,\"b\":true}]} \n",
            "{\n  \"x\" : [\n    {\n      \"b\" : true,\n      \"k\" : null\n    }\n  ],\n"
            "  \"y\" : [],\n  \"z\" : {}\n}"},
        {R"({"a":1,"b":2,"a":3})", "{\n  \"a\" : 3,\n  \"b\" : 2\n}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pretty(c.json), c.pretty) << c.json.toStdString();
}

TEST(PrettyJson, rejectsWhatIsNotADocument)
{
    for (const char* text : {"", "   ", "42", "\"s\"", "null", "[1,]", "{\"a\"}", "{\"a\":1,}",
             "[01]", "[1.]", "[.5]", "[-]", "[1e]", "[tru]", "[\"a\nb\"]", "[\"\\x\"]",
             "[\"\\u12g4\"]", "{1:2}", "[1] [2]", "[1", "[\"abc"}) {
        EXPECT_FALSE(prettyPrintJson(QByteArray(text)).has_value()) << text;
    }
    QByteArray deep(kMaxJsonDepth + 1, '[');
    deep += QByteArray(kMaxJsonDepth + 1, ']');
    EXPECT_FALSE(prettyPrintJson(deep).has_value());
    deep.chop(1);
    deep.remove(0, 1);
    EXPECT_TRUE(prettyPrintJson(deep).has_value());
}

TEST(PrettyJson, agreesWithQtsReaderOnGeneratedDocuments)
{
    // Whatever the layout, the text we write must mean what the server sent.
    std::mt19937 rng(7);
    std::function<QJsonValue(int)> make = [&](int depth) -> QJsonValue {
        const int kind = depth > 3 ? int(rng() % 4) : int(rng() % 6);
        switch (kind) {
        case 0:
            return double(rng() % 100000) / 8;
        case 1:
            return QString::fromUtf8("k/\"\\\n é\t") + QString::number(rng() % 50);
        case 2:
            return rng() % 2 == 0;
        case 3:
            return QJsonValue();
        case 4: {
            QJsonArray a;
            for (unsigned i = rng() % 5; i > 0; --i)
                a.append(make(depth + 1));
            return a;
        }
        default: {
            QJsonObject o;
            for (unsigned i = rng() % 5; i > 0; --i)
                o.insert(u"key"_s + QString::number(rng() % 20), make(depth + 1));
            return o;
        }
        }
    };
    for (int i = 0; i < 200; ++i) {
        const QJsonArray document {make(0), make(0)};
        const QByteArray compact = QJsonDocument(document).toJson(QJsonDocument::Compact);
        const auto ours = prettyPrintJson(compact);
        ASSERT_TRUE(ours.has_value()) << compact.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(*ours).array(), document) << ours->toStdString();
        // Our own writer and the body formatter agree on the layout.
        EXPECT_EQ(*ours, writeJson(document, JsonStyle::Pretty));
    }
}

TEST(FormatXML, indentsMarkupArrivingOnOneLine)
{
    EXPECT_EQ(formatXML(u"<a><b>x</b><c/></a>"), u"<a>\n  <b>x\n  </b>\n  <c/>\n</a>"_s);
    EXPECT_EQ(
        formatXML(u"<?xml version=\"1.0\"?><r></r>"), u"<?xml version=\"1.0\"?>\n<r>\n</r>"_s);
    EXPECT_EQ(formatXML(u""), QString());
    EXPECT_EQ(formatXML(u"</a></b></c><d>"), u"</a>\n</b>\n</c>\n<d>"_s);
    // Declarations and comments count as opening tags.
    EXPECT_EQ(formatXML(u"<!DOCTYPE html><p>"), u"<!DOCTYPE html>\n  <p>"_s);
    // Existing line breaks are kept, and no empty line is added before a tag after one.
    EXPECT_EQ(formatXML(u"<a>\n<b/></a>"), u"<a>\n  <b/>\n</a>"_s);
    EXPECT_EQ(formatXML(u"text"), u"text"_s);
}

TEST(JsonWriter, numbersReadBackIdentically)
{
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> any(-1e12, 1e12);
    for (int i = 0; i < 1000; ++i) {
        const double d = i % 3 == 0 ? std::ldexp(any(rng), -int(rng() % 60)) : any(rng);
        const QByteArray text = writeJson(QJsonArray {d}, JsonStyle::Compact);
        const double back = QJsonDocument::fromJson(text).array().at(0).toDouble();
        EXPECT_EQ(std::memcmp(&back, &d, sizeof d), 0) << text.toStdString();
    }
    EXPECT_EQ(
        writeJson(QJsonArray {786000000.0, 0.5, -3.0}, JsonStyle::Compact), "[786000000,0.5,-3]");
}

TEST(PrettyBody, aLongPrettyPrintGivesUpWhenToldToStop)
{
    // Nested enough that both passes, and the recursion of each, must notice the stop.
    QByteArray json = "[";
    for (int i = 0; i < 60000; ++i)
        json += (i ? "," : "") + QByteArray(R"({"b":[1,{"c":"some text here"}],"a":)")
            + QByteArray::number(i) + "}";
    json += "]";
    const QByteArray whole = prettyPrintJson(json).value();

    int asked = 0;
    EXPECT_EQ(prettyPrintJson(json, [&] { return ++asked, false; }), whole);
    // About once per step of reading and again per step of writing.
    const auto steps = qsizetype(kStopCheckBytes);
    ASSERT_GE(asked, json.size() / steps + whole.size() / steps - 1)
        << "asked too rarely to stop a long pretty-print";
    for (int stopAt = 1; stopAt <= asked; ++stopAt) {
        int calls = 0;
        EXPECT_FALSE(prettyPrintJson(json, [&] { return ++calls == stopAt; }).has_value())
            << stopAt;
        EXPECT_EQ(calls, stopAt) << "kept asking after it was told to stop";
    }

    // A stopped body is not shown as its undecoded self, and markup stops too.
    const auto stopNow = [] { return true; };
    EXPECT_TRUE(response(u"application/json"_s, json).prettyBody(stopNow).isEmpty());
    const QByteArray markup = QByteArray("<a/>").repeated(int(kStopCheckBytes));
    EXPECT_TRUE(response(u"text/xml"_s, markup).prettyBody(stopNow).isEmpty());
    EXPECT_FALSE(response(u"text/xml"_s, markup).prettyBody([] { return false; }).isEmpty());
}
