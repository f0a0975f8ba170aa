#include "scripting/scripthost.h"

#include "execution/dynamicvariables.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

/// The files a module may be in, in the order they are tried: the minified build first, since
/// it parses faster.
QStringList moduleFileNames(const QString& name)
{
    if (name == u"lodash")
        return {u"lodash.min.js"_s, u"lodash.js"_s};
    if (name == u"moment")
        return {u"moment.min.js"_s, u"moment.js"_s};
    return {};
}

} // namespace

ScriptHost::ScriptHost(QStringList moduleFolders, Callbacks callbacks, QObject* parent)
    : QObject(parent)
    , m_moduleFolders(moduleFolders.isEmpty() ? defaultModuleFolders() : std::move(moduleFolders))
    , m_callbacks(std::move(callbacks))
{ }

QStringList ScriptHost::defaultModuleFolders()
{
    return {u"/usr/share/javascript/lodash"_s, u"/usr/share/nodejs/moment"_s};
}

QString ScriptHost::btoa(const QString& latin1) const
{
    return QString::fromLatin1(latin1.toLatin1().toBase64());
}

QString ScriptHost::atob(const QString& base64) const
{
    return QString::fromLatin1(QByteArray::fromBase64(base64.toLatin1()));
}

QJSValue ScriptHost::dynamicValue(const QString& name) const
{
    const std::optional<QString> value = dynamicVariableValue(name);
    return value ? QJSValue(*value) : QJSValue();
}

QString ScriptHost::moduleSource(const QString& name)
{
    // Read once per process and folder list: a send makes an engine of its own, and the window
    // should not go back to the disk for the same library on every send.
    static QMutex mutex;
    static QHash<QString, QString> cache;
    const QString key = m_moduleFolders.join(u'\n') + u'\n' + name;
    const QMutexLocker locker(&mutex);
    if (const auto cached = cache.constFind(key); cached != cache.cend())
        return *cached;
    QString source;
    for (const QString& folder : std::as_const(m_moduleFolders)) {
        for (const QString& fileName : moduleFileNames(name)) {
            QFile file(QDir(folder).filePath(fileName));
            if (file.open(QIODevice::ReadOnly)) {
                source = QString::fromUtf8(file.readAll());
                break;
            }
        }
        if (!source.isEmpty())
            break;
    }
    cache.insert(key, source);
    return source;
}

void ScriptHost::startTimer(int id, int milliseconds, bool repeat)
{
    m_callbacks.startTimer(id, milliseconds, repeat);
}

void ScriptHost::stopTimer(int id)
{
    m_callbacks.stopTimer(id);
}

void ScriptHost::send(int id, const QString& spec)
{
    m_callbacks.send(id, spec);
}

} // namespace mako
