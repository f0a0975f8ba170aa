#include "execution/variables.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

KeyValuePair row(const QString& key, const QString& value, bool enabled = true)
{
    return KeyValuePair {.key = key, .value = value, .isEnabled = enabled};
}

APIEnvironment environment(const QString& name, QList<KeyValuePair> rows, bool active)
{
    return APIEnvironment {.name = name, .variables = std::move(rows), .isActive = active};
}

QString substitute(const QString& text, QList<KeyValuePair> rows)
{
    return substituteVariables(text, environment(u"e"_s, std::move(rows), true));
}

} // namespace

TEST(MergedEnvironment, globalsComeFirstEnvironmentRowsStayUnfilteredAbsentWithNeither)
{
    const QList<APIEnvironment> environments {
        environment(u"Dev"_s, {row(u"host"_s, u"dev"_s)}, false),
        environment(u"Prod"_s,
            {row(u"host"_s, u"b"_s), row(u""_s, u"blank"_s), row(u"off"_s, u"x"_s, false)}, true),
        environment(u"Also active"_s, {row(u"host"_s, u"c"_s)}, true),
    };
    const QList<KeyValuePair> globals {
        row(u"host"_s, u"a"_s), row(u""_s, u"g"_s), row(u"gone"_s, u"x"_s, false)};
    const auto merged = mergedEnvironment(globals, environments);
    ASSERT_TRUE(merged.has_value());
    EXPECT_EQ(merged->name, u"Prod"_s);
    ASSERT_EQ(merged->variables.size(), 4);
    EXPECT_EQ(merged->variables[0], globals[0]);
    EXPECT_EQ(merged->variables.mid(1), environments[1].variables);
    EXPECT_EQ(substituteVariables(u"{{host}}/x"_s, merged), u"a/x"_s);
    EXPECT_EQ(activeEnvironment(environments)->name, u"Prod"_s);

    // Without an active environment: the enabled globals alone, or nothing at all.
    const QList<APIEnvironment> inactive = environments.first(1);
    EXPECT_FALSE(mergedEnvironment({}, inactive).has_value());
    const auto global = mergedEnvironment({globals[2]}, inactive);
    ASSERT_TRUE(global.has_value());
    EXPECT_EQ(global->name, u"Global"_s);
    EXPECT_TRUE(global->variables.isEmpty() && global->isActive);
    EXPECT_NE(global->id, mergedEnvironment({globals[2]}, inactive)->id);
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
