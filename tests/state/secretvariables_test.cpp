#include "execution/variables.h"
#include "state/secretvariables.h"
#include "staterun.h"
#include "support/fakesecretstore.h"
#include "support/waitfor.h"

#include <QTemporaryDir>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// One run of the application on `folder` with `held` as the desktop's secret service (one
// that has none when `available` is false): `use` runs once the data is loaded, and the state
// goes (as at quit) when it returns.
void runOn(const TempAppFolder& folder, QHash<QString, QString>& held,
    const std::function<void(AppState&)>& use, bool available = true)
{
    PersistenceService persistence(folder.path());
    Settings settings(folder.settingsFile());
    {
        auto store = std::make_unique<FakeSecretStore>(&held);
        store->available = available;
        AppState state(&persistence, &settings, nullptr, 1h, std::move(store));
        ASSERT_TRUE(waitUntilLoaded(state));
        use(state);
        state.flushPendingSaves();
    }
    ASSERT_TRUE(waitUntilIdle(persistence));
}

KeyValuePair secret(const QString& key, const QString& value)
{
    return KeyValuePair {.key = key, .value = value, .isSecret = true};
}

// What a send of `text` goes out with.
QString sent(const AppState& state, const QString& text)
{
    return substituteVariables(text, state.mergedEnvironment());
}

// An environment "Staging" holding `rows`, made active; its id.
QUuid addStaging(AppState& state, const QList<KeyValuePair>& rows)
{
    state.addEnvironment(u"Staging"_s);
    const QUuid id = state.environments().last().id;
    state.setEnvironmentVariables(id, rows);
    state.setActiveEnvironment(id);
    return id;
}

bool fileOperation(AppState& state, const std::function<void()>& start)
{
    QSignalSpy finished(&state, &AppState::fileOperationFinished);
    start();
    return (!finished.isEmpty() || finished.wait(20000)) && finished.first().first().toBool();
}

} // namespace

// A secret is kept in the vault under its row, so renaming the variable keeps it; a change
// reaches the vault, marking moves a value there, unmarking takes it out (the row keeps it and
// the file then holds it) and so does removing the row.
TEST(SecretVariables, theVaultFollowsEditsMarkingRenamingUnmarkingAndRemoval)
{
    TempAppFolder folder;
    QHash<QString, QString> held;
    KeyValuePair token = secret(u"token"_s, u"tok-4711"_s);
    KeyValuePair host {.key = u"host"_s, .value = u"api.test"_s};
    const KeyValuePair apiKey = secret(u"apiKey"_s, u"glob-0815"_s);
    runOn(folder, held, [&](AppState& state) {
        const QUuid id = addStaging(state, {token, host});
        state.setGlobalVariables({apiKey});
        const QString tokenKey = SecretVariables::vaultKey(id, token.id);
        const QString hostKey = SecretVariables::vaultKey(id, host.id);
        state.secretVault().flush();
        EXPECT_EQ(held,
            (QHash<QString, QString> {{tokenKey, u"tok-4711"_s},
                {SecretVariables::vaultKey(std::nullopt, apiKey.id), u"glob-0815"_s}}));
        EXPECT_EQ(
            sent(state, u"{{token}}/{{apiKey}}@{{host}}"_s), u"tok-4711/glob-0815@api.test"_s);

        token.key = u"auth"_s;
        token.value = u"tok-2"_s;
        state.updateVariable(id, token);
        host.isSecret = true;
        state.updateVariable(id, host);
        state.secretVault().flush();
        EXPECT_EQ(held.value(tokenKey), u"tok-2"_s);
        EXPECT_EQ(held.value(hostKey), u"api.test"_s);
        EXPECT_EQ(sent(state, u"{{auth}}@{{host}}"_s), u"tok-2@api.test"_s);

        token.isSecret = false;
        state.updateVariable(id, token);
        EXPECT_TRUE(state.removeVariables(id, 1, 1));
        state.secretVault().flush();
        EXPECT_FALSE(held.contains(tokenKey));
        EXPECT_FALSE(held.contains(hostKey));
        EXPECT_EQ(sent(state, u"{{auth}}"_s), u"tok-2"_s);
    });
    const QByteArray files = folder.read(kEnvironmentsFile) + folder.read(kGlobalVariablesFile);
    EXPECT_TRUE(files.contains("tok-2")) << "an unmarked variable is stored as any other";
    EXPECT_TRUE(files.contains("apiKey"));
    EXPECT_FALSE(files.contains("glob-0815"));
}

// After a restart the rows read from the files (which hold secrets empty) get their values
// back from the vault, and sends use them. A backup keeps them out and says so; restoring it
// keeps the values the vault knows. Deleting the environment clears its entries; without a
// secret service a secret lasts the run.
TEST(SecretVariables, aRestartOrARestoredBackupFillsTheRowsFromTheVault)
{
    TempAppFolder folder;
    QTemporaryDir elsewhere;
    const QString backup = elsewhere.filePath(u"backup.json"_s);
    QHash<QString, QString> held;
    const KeyValuePair token = secret(u"token"_s, u"tok-4711"_s);
    const KeyValuePair apiKey = secret(u"api-key"_s, u"glob-0815"_s);
    QUuid id;
    runOn(folder, held, [&](AppState& state) {
        id = addStaging(state, {token});
        state.setGlobalVariables({apiKey});
    });
    ASSERT_EQ(held.size(), 2);

    runOn(folder, held, [&](AppState& state) {
        EXPECT_TRUE(waitFor([&] { return sent(state, u"{{token}}"_s) == u"tok-4711"_s; }));
        EXPECT_TRUE(waitFor([&] { return sent(state, u"{{api-key}}"_s) == u"glob-0815"_s; }));
        ASSERT_TRUE(fileOperation(state, [&] { state.exportAllData(backup); }));
        EXPECT_EQ(state.alertMessage(), u"2 secret value(s) left out: api-key, token"_s);
        ASSERT_TRUE(fileOperation(state, [&] { state.importAllData(backup); }));
        EXPECT_EQ(sent(state, u"{{token}}/{{api-key}}"_s), u"tok-4711/glob-0815"_s);
        state.deleteEnvironment(id);
        state.secretVault().flush();
        EXPECT_EQ(held.keys(), QStringList {SecretVariables::vaultKey(std::nullopt, apiKey.id)});
    });
    QFile written(backup);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.contains("api-key") && !bytes.contains("glob-0815"));

    QHash<QString, QString> none;
    const KeyValuePair once = secret(u"once"_s, u"only-now"_s);
    runOn(
        folder, none,
        [&](AppState& state) {
            state.setGlobalVariables({once});
            EXPECT_EQ(sent(state, u"{{once}}"_s), u"only-now"_s);
        },
        false);
    runOn(folder, none, [&](AppState& state) {
        ASSERT_EQ(state.globalVariables().size(), 1);
        EXPECT_TRUE(state.globalVariables().first().isSecret);
        EXPECT_EQ(sent(state, u"{{once}}"_s), u""_s);
    });
}
