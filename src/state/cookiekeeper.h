#pragma once

#include <QObject>

#include <memory>

namespace mako {

class CookieJar;
class PersistenceService;
class Settings;

/// Keeps the engine's cookies between launches while the "keepCookies" preference is on: reads
/// the cookie file once the persistence service starts its work, and after every change of the
/// jar writes the cookies that outlive the session, on the service's thread. Turning the
/// preference off removes the file and writes nothing more; turning it on writes the jar.
class CookieKeeper : public QObject {
    Q_OBJECT

public:
    CookieKeeper(CookieJar& jar, PersistenceService& persistence, Settings& settings,
        QObject* parent = nullptr);
    ~CookieKeeper() override;

private:
    void applyPreference();

    struct Shared;
    CookieJar& m_jar;
    Settings& m_settings;
    std::shared_ptr<Shared> m_shared;
    int m_handler = 0;
};

} // namespace mako
