#include "execution/dynamicvariables.h"
#include "execution/variables.h"
#include "support/qtprinters.h"
#include "support/rows.h"

#include <QDateTime>
#include <QHostAddress>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

APIEnvironment environment(const QString& name, QList<KeyValuePair> rows, bool active)
{
    return APIEnvironment {.name = name, .variables = std::move(rows), .isActive = active};
}

QString substitute(const QString& text, QList<KeyValuePair> rows)
{
    return substituteVariables(text, environment(u"e"_s, std::move(rows), true));
}

} // namespace

TEST(MergedEnvironment, environmentBeatsCollectionBeatsGlobalsEnvironmentRowsStayUnfiltered)
{
    const QList<APIEnvironment> environments {
        environment(u"Dev"_s, {row(u"host"_s, u"dev"_s)}, false),
        environment(u"Prod"_s,
            {row(u"host"_s, u"b"_s), row(u""_s, u"blank"_s), row(u"off"_s, u"x"_s, false)}, true),
        environment(u"Also active"_s, {row(u"host"_s, u"c"_s)}, true),
    };
    const QList<KeyValuePair> globals {row(u"host"_s, u"a"_s), row(u"port"_s, u"1"_s),
        row(u"path"_s, u"g"_s), row(u""_s, u"g"_s), row(u"gone"_s, u"x"_s, false)};
    const QList<KeyValuePair> collection {row(u"port"_s, u"2"_s), row(u"off"_s, u"c"_s, false)};
    const auto merged = mergedEnvironment(globals, environments, collection);
    ASSERT_TRUE(merged.has_value());
    EXPECT_EQ(merged->name, u"Prod"_s);
    ASSERT_EQ(merged->variables.size(), 7);
    EXPECT_EQ(merged->variables.first(3), environments[1].variables);
    EXPECT_EQ(
        substituteVariables(u"{{host}}:{{port}}/{{path}}/{{off}}"_s, merged), u"b:2/g/{{off}}"_s);
    EXPECT_EQ(activeEnvironment(environments)->name, u"Prod"_s);
    EXPECT_TRUE(mergedEnvironment({}, {}, collection).has_value());

    // Without an active environment: the enabled globals alone, or nothing at all.
    const QList<APIEnvironment> inactive = environments.first(1);
    EXPECT_FALSE(mergedEnvironment({}, inactive).has_value());
    const auto global = mergedEnvironment({globals[4]}, inactive);
    ASSERT_TRUE(global.has_value());
    EXPECT_EQ(global->name, u"Global"_s);
    EXPECT_TRUE(global->variables.isEmpty() && global->isActive);
    EXPECT_NE(global->id, mergedEnvironment({globals[4]}, inactive)->id);
}

TEST(SetActiveEnvironment, leavesAtMostOneActive)
{
    QList<APIEnvironment> environments {environment(u"a"_s, {}, true),
        environment(u"b"_s, {}, false), environment(u"c"_s, {}, true)};
    setActiveEnvironment(environments, environments[1].id);
    EXPECT_EQ(activeEnvironment(environments)->id, environments[1].id);
    EXPECT_FALSE(environments[0].isActive || environments[2].isActive);
    setActiveEnvironment(environments, QUuid::createUuid());
    EXPECT_FALSE(activeEnvironment(environments).has_value());
    setActiveEnvironment(environments, environments[2].id);
    setActiveEnvironment(environments, std::nullopt);
    EXPECT_FALSE(activeEnvironment(environments).has_value());
}

TEST(SubstituteVariables, onePassOverTheRowsInOrderMatchingLiterally)
{
    EXPECT_EQ(substitute(u"{{b}}/i"_s, {row(u"b"_s, u"{{s}}.api"_s), row(u"s"_s, u"s1"_s)}),
        u"s1.api/i"_s);
    EXPECT_EQ(substitute(u"{{b}}/i"_s, {row(u"s"_s, u"s1"_s), row(u"b"_s, u"{{s}}.api"_s)}),
        u"{{s}}.api/i"_s);
    EXPECT_EQ(substitute(u"{{a}}{{a}}"_s, {row(u"a"_s, u"1"_s), row(u"a"_s, u"2"_s)}), u"11"_s);
    // A value that reintroduces its own placeholder is not expanded again.
    EXPECT_EQ(substitute(u"{{a}}"_s, {row(u"a"_s, u"{{a}}{{a}}"_s)}), u"{{a}}{{a}}"_s);
    EXPECT_EQ(substitute(u"{{token}}"_s, {row(u"token"_s, u"t"_s, false)}), u"{{token}}"_s);
    EXPECT_EQ(substitute(u"{{Host}}"_s, {row(u"host"_s, u"h"_s)}), u"{{Host}}"_s);
    EXPECT_EQ(substitute(u"{{ host }}|{{host}}"_s, {row(u" host "_s, u"h"_s)}), u"h|{{host}}"_s);
    EXPECT_EQ(substitute(u"a{{x}}b"_s, {row(u"x"_s, u""_s)}), u"ab"_s);
    EXPECT_EQ(substitute(u"{{a.*$}}{{ab}}"_s, {row(u"a.*$"_s, u"1"_s)}), u"1{{ab}}"_s);
    EXPECT_EQ(substitute(u"{{}}"_s, {row(u""_s, u"empty"_s)}), u"{{}}"_s);
    EXPECT_EQ(substitute(u"{{{x}}}"_s, {row(u"x"_s, u"1"_s)}), u"{1}"_s);
    EXPECT_EQ(substituteVariables(u"{{x}}"_s, std::nullopt), u"{{x}}"_s);
}

TEST(DynamicVariables, eachDrawsAValueOfItsShape)
{
    const QString uuid = u"[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}"_s;
    const QString date
        = u"[A-Z][a-z]{2} [A-Z][a-z]{2} \\d{2} \\d{4} \\d{2}:\\d{2}:\\d{2} GMT\\+0000 .*"_s;
    const struct {
        QString name;
        QString shape;
    } cases[] {
        {u"$guid"_s, uuid},
        {u"$randomUUID"_s, uuid},
        {u"$timestamp"_s, u"\\d{10}"_s},
        {u"$isoTimestamp"_s, u"\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z"_s},
        {u"$randomInt"_s, u"\\d{1,4}"_s},
        {u"$randomAlphaNumeric"_s, u"[a-z0-9]"_s},
        {u"$randomBoolean"_s, u"true|false"_s},
        {u"$randomColor"_s, u"[a-z]+"_s},
        {u"$randomHexColor"_s, u"#[0-9a-f]{6}"_s},
        {u"$randomIP"_s, u"(\\d{1,3}\\.){3}\\d{1,3}"_s},
        {u"$randomIPV6"_s, u"([0-9a-f]{4}:){7}[0-9a-f]{4}"_s},
        {u"$randomEmail"_s, u"[a-z]+\\.[a-z]+@example\\.(com|org|net)"_s},
        {u"$randomFullName"_s, u"[A-Z][a-z]+ [A-Z][a-z]+"_s},
        {u"$randomPrice"_s, u"\\d{1,3}\\.\\d\\d"_s},
        {u"$randomUrl"_s, u"https?://[a-z]+-[a-z]+\\.[a-z]+"_s},
        {u"$randomDateFuture"_s, date},
        {u"$randomLoremSentence"_s, u"[A-Z][a-z]*( [a-z]+)+\\."_s},
    };
    for (const auto& c : cases) {
        const QString value = dynamicVariableValue(c.name).value_or(u"(none)"_s);
        EXPECT_TRUE(QRegularExpression(u"\\A(?:"_s + c.shape + u")\\z"_s).match(value).hasMatch())
            << c.name.toStdString() << " = " << value.toStdString();
    }
    EXPECT_LE(qAbs(dynamicVariableValue(u"$timestamp")->toLongLong()
                  - QDateTime::currentSecsSinceEpoch()),
        1);
    EXPECT_LE(qAbs(QDateTime::fromString(*dynamicVariableValue(u"$isoTimestamp"), Qt::ISODateWithMs)
                       .msecsTo(QDateTime::currentDateTimeUtc())),
        1000);
    EXPECT_EQ(QHostAddress(*dynamicVariableValue(u"$randomIPV6")).protocol(),
        QAbstractSocket::IPv6Protocol);
    for (int draw = 0; draw < 200; ++draw) {
        const int value = dynamicVariableValue(u"$randomInt")->toInt();
        ASSERT_TRUE(value >= 0 && value <= 1000) << value;
        ASSERT_FALSE(QHostAddress(*dynamicVariableValue(u"$randomIP")).isNull());
    }
    // Every listed name draws something, and no placeholder survives.
    for (const QString& name : dynamicVariableNames()) {
        const QString value = substituteVariables(u"{{"_s + name + u"}}"_s, std::nullopt);
        EXPECT_FALSE(value.isEmpty() || value.contains(u"{{"_s)) << name.toStdString();
    }
}

TEST(SubstituteVariables, dynamicOnesDrawPerOccurrenceLoseToRowsAndUnknownOnesStay)
{
    const QStringList two = substituteVariables(u"{{$guid}}|{{$guid}}"_s, std::nullopt).split(u'|');
    ASSERT_EQ(two.size(), 2);
    EXPECT_FALSE(QUuid::fromString(two[0]).isNull());
    EXPECT_NE(two[0], two[1]);
    EXPECT_EQ(
        substitute(u"{{$guid}}-{{$randomInt}}"_s, {row(u"$guid"_s, u"mine"_s)}).section(u'-', 0, 0),
        u"mine"_s);
    // A disabled row of that name does not hide the dynamic one.
    EXPECT_NE(substitute(u"{{$guid}}"_s, {row(u"$guid"_s, u"mine"_s, false)}), u"{{$guid}}"_s);
    // A row's value may hold one.
    EXPECT_FALSE(substitute(u"{{id}}"_s, {row(u"id"_s, u"{{$randomUUID}}"_s)}).contains(u"{{"));
    const QString unknown
        = substituteVariables(u"a/{{$nope}}/{{$guid}}/{{ $guid }}"_s, std::nullopt);
    EXPECT_TRUE(unknown.startsWith(u"a/{{$nope}}/"_s)) << unknown.toStdString();
    EXPECT_EQ(placeholdersIn(unknown), (QStringList {u"{{$nope}}"_s, u"{{ $guid }}"_s}));
}
