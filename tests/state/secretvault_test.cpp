#include "state/secretstore.h"
#include "support/fakesecretstore.h"
#include "support/waitfor.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

// Secrets are read from the secret service once, a value typed in the meantime wins over a slow
// read, and where the desktop has no secret service they still last for the run.
TEST(SecretVault, readsOnceKeepsWhatWasSetAndLastsTheRunWithoutAService)
{
    QHash<QString, QString> held {{u"a"_s, u"stored-a"_s}, {u"b"_s, u"stored-b"_s}};
    int reads = 0;
    int writes = 0;
    SecretVault vault(std::make_unique<FakeSecretStore>(&held, &reads, &writes));

    QStringList answers;
    vault.load(u"a"_s, [&](const QString& found) { answers.append(found); });
    vault.load(u"b"_s, [&](const QString& found) { answers.append(found); });
    vault.setValue(u"b"_s, u"typed-b"_s);
    ASSERT_TRUE(waitFor([&] { return answers.size() == 2; }));
    EXPECT_EQ(answers, (QStringList {u"stored-a"_s, u"typed-b"_s}));
    // Typed key by key, one write once the typing pauses.
    vault.setValue(u"b"_s, u"typed-b2"_s);
    vault.setValue(u"b"_s, u"typed-b23"_s);
    EXPECT_EQ(vault.value(u"b"_s), u"typed-b23"_s);
    ASSERT_TRUE(waitFor([&] { return held.value(u"b"_s) == u"typed-b23"_s; }));
    EXPECT_EQ(writes, 1);

    vault.load(u"a"_s, [&](const QString& found) { answers.append(found); });
    ASSERT_TRUE(waitFor([&] { return answers.size() == 3; }));
    EXPECT_EQ(reads, 2);

    vault.setValue(u"a"_s, {});
    EXPECT_EQ(vault.value(u"a"_s), u""_s);
    vault.flush();
    EXPECT_FALSE(held.contains(u"a"_s));
    EXPECT_TRUE(vault.isKeptAcrossRuns());

    auto none = std::make_unique<FakeSecretStore>(&held, nullptr, &writes);
    none->available = false;
    SecretVault memoryOnly(std::move(none));
    memoryOnly.setValue(u"c"_s, u"for-this-run"_s);
    ASSERT_TRUE(waitFor([&] { return !memoryOnly.isKeptAcrossRuns(); }));
    EXPECT_EQ(memoryOnly.value(u"c"_s), u"for-this-run"_s);
    EXPECT_FALSE(held.contains(u"c"_s));
}
