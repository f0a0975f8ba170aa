#include "shellrun.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace mako::test {

ShellRun::ShellRun(const QHash<QString, QByteArray>& files,
    const QHash<QString, QVariant>& preferences, const TempAppFolder* reuse,
    std::unique_ptr<SecretStore> secrets)
    : ownFolder(reuse ? nullptr : std::make_unique<TempAppFolder>())
    , folder(reuse ? *reuse : *ownFolder)
{
    for (auto file = files.begin(); file != files.end(); ++file)
        folder.write(file.key(), file.value());
    {
        QSettings store(folder.settingsFile(), QSettings::IniFormat);
        for (auto preference = preferences.begin(); preference != preferences.end(); ++preference)
            store.setValue(preference.key(), preference.value());
    }
    auto settings = std::make_unique<Settings>(folder.settingsFile());
    auto dialogs = std::make_unique<ScriptedFileDialogs>();
    this->dialogs = dialogs.get();
    app = std::make_unique<MakoApp>(MakoApp::Services {
        .settings = std::move(settings),
        .persistence = std::make_unique<PersistenceService>(folder.path()),
        .fileDialogs = std::move(dialogs),
        .secretStore = secrets ? std::move(secrets) : std::make_unique<NoSecretStore>(),
    });
    app->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().didLoad(); }, 20000));
}

ShellRun::~ShellRun()
{
    // Sheets left open by a failed check must not outlive the window they belong to.
    app.reset();
    QApplication::processEvents();
}

QAction* ShellRun::action(const QString& objectName) const
{
    return window().findChild<QAction*>(objectName);
}

bool ShellRun::activate() const
{
    window().activateWindow();
    return QTest::qWaitForWindowActive(&window());
}

QWidget* visibleDialog(const QString& objectName)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == objectName && widget->isVisible())
            return widget;
    }
    return nullptr;
}

QString testDataFile(const QString& relativePath)
{
    return QStringLiteral(MAKO_TEST_DATA_DIR "/") + relativePath;
}

} // namespace mako::test
