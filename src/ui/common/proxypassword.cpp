#include "ui/common/proxypassword.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kProxyPasswordKey = u"proxyPassword"_s;

} // namespace

ProxyPassword::ProxyPassword(std::shared_ptr<SecretStore> store, QObject* parent)
    : QObject(parent)
    , m_store(std::move(store))
{ }

void ProxyPassword::load()
{
    if (std::exchange(m_loaded, true))
        return;
    m_store->read(kProxyPasswordKey, [self = QPointer(this)](const QString& found, bool available) {
        if (!self)
            return;
        self->setKeptAcrossRuns(available);
        if (!self->m_edited && !found.isEmpty()) {
            self->m_password = found;
            Q_EMIT self->passwordChanged();
        }
    });
}

ProxyPassword::~ProxyPassword()
{
    // Typing ended with the application: what was typed is kept all the same.
    store();
}

void ProxyPassword::setPassword(const QString& password)
{
    m_edited = true;
    if (password == m_password)
        return;
    m_password = password;
    m_unstored = true;
    Q_EMIT passwordChanged();
}

void ProxyPassword::store()
{
    if (!std::exchange(m_unstored, false))
        return;
    m_store->write(kProxyPasswordKey, m_password, [self = QPointer(this)](bool available) {
        if (self)
            self->setKeptAcrossRuns(available);
    });
}

void ProxyPassword::setKeptAcrossRuns(bool kept)
{
    if (kept == m_keptAcrossRuns)
        return;
    m_keptAcrossRuns = kept;
    Q_EMIT keptAcrossRunsChanged();
}

} // namespace mako
