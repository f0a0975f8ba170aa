#include "ui/shell/makoapp.h"

#include "execution/networkservice.h"
#include "state/appstate.h"
#include "state/cookiekeeper.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "ui/commands/commands.h"
#include "ui/commands/shortcutmap.h"
#include "ui/common/filedialogs.h"
#include "ui/common/proxypassword.h"
#include "ui/preferences/preferenceswindow.h"
#include "ui/shell/appearance.h"
#include "ui/shell/lastrequest.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/terminationsignals.h"
#include "ui/sidebar/sidebar.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// The preferences the network service takes; a change of any of them reaches it at once.
bool isNetworkPreference(const QString& key)
{
    using namespace SettingKeys;
    for (const QString* name :
        {&followRedirects.name, &maxRedirects.name, &sslVerification.name, &defaultUserAgent.name,
            &httpVersion.name, &proxyEnabled.name, &proxyUseSystem.name, &proxyType.name,
            &proxyHost.name, &proxyPort.name, &proxyAuth.name, &proxyUsername.name}) {
        if (key == *name)
            return true;
    }
    return false;
}

// Calls `call` once, as soon as a widget of `window` has painted (or after a second, for a
// window that does not paint, such as one started minimised).
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* window, QObject* context, std::function<void()> call)
        : QObject(context)
        , m_window(window)
        , m_call(std::move(call))
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(kFallbackMilliseconds, this, &FirstPaintWatcher::fire);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == m_window) {
            // Queued: the rest of the paint pass goes first.
            QMetaObject::invokeMethod(this, &FirstPaintWatcher::fire, Qt::QueuedConnection);
            qApp->removeEventFilter(this);
        }
        return false;
    }

private:
    static constexpr int kFallbackMilliseconds = 1000;

    void fire()
    {
        if (!m_call)
            return;
        qApp->removeEventFilter(this);
        std::exchange(m_call, nullptr)();
        deleteLater();
    }

    QWidget* m_window;
    std::function<void()> m_call;
};

void runAfterFirstPaint(QWidget* window, QObject* context, std::function<void()> call)
{
    new FirstPaintWatcher(window, context, std::move(call));
}

} // namespace

MakoApp::MakoApp(QObject* parent)
    : MakoApp(Services {}, parent)
{ }

MakoApp::MakoApp(Services services, QObject* parent)
    : QObject(parent)
    // First of all, so that a signal that comes while the rest starts still quits cleanly.
    , m_terminationSignals(std::make_unique<TerminationSignals>())
    , m_systemSecretStore(!services.secretStore)
    , m_settings(services.settings ? std::move(services.settings) : Settings::createStandard())
    // A service of our own, not the shared one: that one belongs to the QApplication and would
    // be torn down after the event dispatcher its worker needs to stop.
    , m_persistence(services.persistence
              ? std::move(services.persistence)
              : std::make_unique<PersistenceService>(
                  PersistenceService::standardAppDirectory(), SerialWorker::Start::OnRequest))
    , m_cookieKeeper(std::make_unique<CookieKeeper>(
          NetworkService::shared().engine().cookies(), *m_persistence, *m_settings))
    , m_fileDialogs(services.fileDialogs ? std::move(services.fileDialogs)
                                         : std::make_unique<SystemFileDialogs>())
    , m_proxyPassword(std::make_unique<ProxyPassword>(
          services.secretStore ? std::move(services.secretStore) : createSystemSecretStore()))
    , m_appearance(std::make_unique<Appearance>(*m_settings))
    , m_state(std::make_unique<AppState>(m_persistence.get(), m_settings.get()))
    , m_commands(std::make_unique<Commands>())
    , m_shortcuts(std::make_unique<ShortcutMap>(*m_settings))
    , m_window(std::make_unique<MainWindow>(
          *m_state, *m_commands, *m_settings, *m_fileDialogs, *m_shortcuts))
    , m_lastRequest(std::make_unique<LastRequest>(*m_state, *m_settings))
{
    // A run given a store of its own (a test's) keeps the OAuth 2.0 secrets in memory alone.
    if (m_systemSecretStore)
        m_state->setSecretStore(createSystemSecretStore());
    QApplication::setApplicationDisplayName(QObject::tr("Mako"));
    QApplication::setWindowIcon(QIcon(u":/icons/com.quorin.mako.svg"_s));
    // Wayland matches the window to its launcher entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(u"com.quorin.mako"_s);
    m_window->setSidebar(new Sidebar(*m_state, *m_settings, *m_fileDialogs, *m_shortcuts));
    connect(m_settings.get(), &Settings::valueChanged, this, &MakoApp::handleValueChanged);
    connect(m_proxyPassword.get(), &ProxyPassword::passwordChanged, this,
        &MakoApp::updateNetworkSettings);
    connect(m_commands.get(), &Commands::preferences, this, &MakoApp::openPreferences);
}

// The windows go before the state they show, the state (handing its last saves over) before
// the persistence service that writes them.
MakoApp::~MakoApp()
{
    delete m_preferences;
}

void MakoApp::show()
{
    // Before the window shows, so that the first request already honours the preferences.
    loadProxyPasswordIfUsed();
    updateNetworkSettings();
    m_appearance->apply();
    m_window->show();
    // The data files are read once the first frame is up: on two cores, decoding a large
    // workspace beside the window's first layout and paint slowed that paint down by half.
    // The queued loads keep their place ahead of any save meanwhile.
    runAfterFirstPaint(m_window.get(), m_persistence.get(), [this] { m_persistence->startWork(); });
}

void MakoApp::raiseWindow()
{
    m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void MakoApp::openPreferences()
{
    if (!m_preferences) {
        m_preferences = new PreferencesWindow({*m_settings, *m_state, *m_persistence,
            *m_fileDialogs, *m_proxyPassword, *m_shortcuts});
        // Made anew at each opening, so every tab starts from the stored values.
        m_preferences->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_preferences->show();
    m_preferences->raise();
    m_preferences->activateWindow();
}

void MakoApp::handleValueChanged(const QString& key)
{
    if (key == SettingKeys::requestTimeout.name) {
        // The raw value: the service applies its own substitute for 0 and its limits.
        NetworkService::shared().updateTimeout(m_settings->requestTimeout());
    } else if (isNetworkPreference(key)) {
        loadProxyPasswordIfUsed();
        updateNetworkSettings();
    }
}

void MakoApp::loadProxyPasswordIfUsed()
{
    if (m_settings->value(SettingKeys::proxyEnabled) && m_settings->value(SettingKeys::proxyAuth))
        m_proxyPassword->load();
}

void MakoApp::updateNetworkSettings()
{
    NetworkSettings settings = m_settings->networkSettings();
    settings.proxy.password = m_proxyPassword->password();
    NetworkService::shared().updateSettings(settings);
}

} // namespace mako
