#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace mako {

/// The native helpers behind the scripting API: what JavaScript cannot do by itself in a
/// sandbox (Base64 in Qt's own codec, timers, requests through the network service, the module
/// files `require` reads, dynamic variables). Only the API's closure holds it, so scripts reach
/// it through the API alone. Timers and requests are handed to the engine that owns the host.
class ScriptHost : public QObject {
    Q_OBJECT

public:
    struct Callbacks {
        std::function<void(int id, int milliseconds, bool repeat)> startTimer;
        std::function<void(int id)> stopTimer;
        /// `spec` is JSON: {url, method, headers: [[name, value]...], body}.
        std::function<void(int id, const QString& spec)> send;
    };

    ScriptHost(QStringList moduleFolders, Callbacks callbacks, QObject* parent);

    Q_INVOKABLE QString btoa(const QString& latin1) const;
    Q_INVOKABLE QString atob(const QString& base64) const;
    /// A fresh value of the dynamic variable `name` ("$guid"), or undefined.
    Q_INVOKABLE QJSValue dynamicValue(const QString& name) const;
    /// The source of the module `name` from the first module folder that has it, read once;
    /// empty when no folder has it.
    Q_INVOKABLE QString moduleSource(const QString& name);
    Q_INVOKABLE void startTimer(int id, int milliseconds, bool repeat);
    Q_INVOKABLE void stopTimer(int id);
    Q_INVOKABLE void send(int id, const QString& spec);

    /// Where Debian installs the modules `require` offers.
    static QStringList defaultModuleFolders();

private:
    QStringList m_moduleFolders;
    Callbacks m_callbacks;
};

} // namespace mako
