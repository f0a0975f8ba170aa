#include "ui/editor/variablespans.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(VariableSpans, judgesEachPlaceholderByTheVariablesASendWouldUse)
{
    const APIEnvironment environment {.variables = {{.key = u"host"_s, .value = u"api.test"_s},
                                          {.key = u"off"_s, .value = u"x"_s, .isEnabled = false},
                                          {.key = u"host"_s, .value = u"second"_s}}};
    const QList<VariableSpan> spans
        = variableSpans(u"https://{{host}}/{{off}}/{{ missing }}{{}}"_s, environment);
    ASSERT_EQ(spans.size(), 3);
    EXPECT_EQ(spans[0].start, 8);
    EXPECT_EQ(spans[0].length, 8);
    EXPECT_TRUE(spans[0].isDefined);
    // The first row of a name wins, as in substitution.
    EXPECT_EQ(spans[0].value, u"api.test"_s);
    EXPECT_EQ(spans[0].explanation(), u"host = api.test"_s);
    EXPECT_FALSE(spans[1].isDefined);
    EXPECT_EQ(spans[1].explanation(), u"off is not defined in the active environment or globals"_s);
    EXPECT_EQ(spans[2].name, u" missing "_s);
    EXPECT_FALSE(spans[2].isDefined);
    EXPECT_EQ(spanAt(spans, 7), nullptr);
    EXPECT_EQ(spanAt(spans, 8), &spans[0]);
    EXPECT_EQ(spanAt(spans, 15), &spans[0]);
    EXPECT_EQ(spanAt(spans, 16), nullptr);
    EXPECT_FALSE(variableSpans(u"{{host}}"_s, std::nullopt).first().isDefined);
}

TEST(VariableSpans, aDynamicVariableIsDefinedUnlessUnknown)
{
    const QList<VariableSpan> spans = variableSpans(u"{{$timestamp}}/{{$nope}}"_s, std::nullopt);
    ASSERT_EQ(spans.size(), 2);
    EXPECT_TRUE(spans[0].isDefined && spans[0].isDynamic);
    EXPECT_TRUE(spans[0].explanation().startsWith(
        u"$timestamp is a dynamic variable: a new value on each send, such as "_s));
    EXPECT_FALSE(spans[1].isDefined || spans[1].isDynamic);
    // A row of the same name makes it an ordinary variable.
    const APIEnvironment environment {.variables = {{.key = u"$timestamp"_s, .value = u"1"_s}}};
    EXPECT_EQ(
        variableSpans(u"{{$timestamp}}"_s, environment).first().explanation(), u"$timestamp = 1"_s);
}

// A tooltip never shows a secret: neither a secret variable's value nor one that another
// variable brings along.
TEST(VariableSpans, aSecretIsExplainedMasked)
{
    const APIEnvironment environment {
        .variables = {{.key = u"auth"_s, .value = u"Bearer {{token}}"_s},
            {.key = u"token"_s, .value = u"tok-9"_s, .isSecret = true},
            {.key = u"host"_s, .value = u"api.test"_s}}};
    const QList<VariableSpan> spans = variableSpans(u"{{token}} {{auth}} {{host}}"_s, environment);
    ASSERT_EQ(spans.size(), 3);
    const QString masked = u" = \u2022\u2022\u2022\u2022\u2022\u2022\u2022\u2022"_s;
    EXPECT_EQ(spans[0].explanation(), u"token"_s + masked);
    EXPECT_EQ(spans[1].explanation(), u"auth"_s + masked);
    EXPECT_EQ(spans[2].explanation(), u"host = api.test"_s);
    EXPECT_EQ(spans[1].value, u"Bearer tok-9"_s);
}
