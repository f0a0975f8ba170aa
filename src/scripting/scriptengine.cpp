#include "scripting/scriptengine.h"

#include "scripting/scriptdata.h"
#include "scripting/scripthost.h"
#include "scripting/scriptwatchdog.h"

#include <QCoreApplication>
#include <QFile>
#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTimer>

#include <atomic>
#include <unordered_map>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

// What the stack frames of a script name it, so that an error's line is found among chai's.
const QString kScriptFile = QStringLiteral("mako-script");

QString resourceText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString withLine(const QString& message, int line)
{
    if (line <= 0)
        return message;
    return QCoreApplication::translate("mako::ScriptEngine", "%1 (line %2)")
        .arg(message, QString::number(line));
}

QLoggingCategory::CategoryFilter previousFilter = nullptr;

// Qt's JavaScript compiler warns of every function used before its declaration, which chai,
// lodash and moment do by design; those lines would flood mako-cli's output and say nothing
// about the user's scripts.
void quietCompilerFilter(QLoggingCategory* category)
{
    if (qstrcmp(category->categoryName(), "qt.qml.compiler") == 0)
        category->setEnabled(QtWarningMsg, false);
    else if (previousFilter)
        previousFilter(category);
}

void quietCompiler()
{
    static const bool installed = [] {
        previousFilter = QLoggingCategory::installFilter(quietCompilerFilter);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

struct ScriptEngine::Private {
    ScriptEngine* q;
    NetworkService& service;
    ScriptSettings settings;
    QJSEngine engine;
    ScriptHost* host = nullptr;
    QJSValue api;
    /// Why the API could not be set up; every run then fails with it.
    QString setupError;

    // The run under way.
    bool running = false;
    QStringList scripts;
    qsizetype index = -1;
    ScriptContext context;
    std::function<void(ScriptRun)> done;
    QStringList errors;
    bool stopped = false;
    /// Counts scripts, so that a late time-out or callback of an ended one is ignored.
    std::uint64_t generation = 0;
    std::atomic<std::uint64_t> timedOutGeneration {0};
    std::unordered_map<int, QTimer*> timers;
    std::unordered_map<int, TransferHandle> transfers;

    // Last, so that its thread has stopped before anything it touches goes.
    ScriptWatchdog watchdog;

    Private(ScriptEngine* owner, NetworkService& network, ScriptSettings options)
        : q(owner)
        , service(network)
        , settings(std::move(options))
        , watchdog([this](std::uint64_t expired) { handleExpiry(expired); })
    { }

    ~Private() { stopWaiting(); }

    void setUp();
    void start();
    void nextScript();
    void runScript(const QString& code);
    void afterCallback(const QJSValue& result);
    void scriptFailed(const QString& message);
    void endScript(const QString& pendingReason = {});
    void finish();
    void stopWaiting();
    void handleExpiry(std::uint64_t expired);
    void handleTimeout(std::uint64_t expired);
    QString timeoutText() const;
    QString scriptError(const QString& message) const;
    void startTimer(int id, int milliseconds, bool repeat);
    void stopTimer(int id);
    void send(int id, const QString& spec);
};

void ScriptEngine::Private::setUp()
{
    host = new ScriptHost(settings.moduleFolders,
        {
            .startTimer = [this](int id, int milliseconds,
                              bool repeat) { startTimer(id, milliseconds, repeat); },
            .stopTimer = [this](int id) { stopTimer(id); },
            .send = [this](int id, const QString& spec) { send(id, spec); },
        },
        q);
    // chai is a bundle for browsers and CommonJS alike; handed a module object it defines no
    // global of its own.
    QJSValue chaiFactory = engine.evaluate(u"(function (module, exports) {"_s
            + resourceText(u":/mako/scripting/chai.js"_s) + u"\n})"_s,
        u"chai.js"_s);
    QJSValue module = engine.newObject();
    module.setProperty(u"exports"_s, engine.newObject());
    const QJSValue loaded = chaiFactory.call({module, module.property(u"exports"_s)});
    if (chaiFactory.isError() || loaded.isError()) {
        setupError = (chaiFactory.isError() ? chaiFactory : loaded).toString();
        return;
    }
    // The API's files share `lib`; the last one hands back the entry points.
    const QJSValue lib = engine.newObject();
    const QJSValue hostObject = engine.newQObject(host);
    for (const QString& file :
        {u"pmvalues.js"_s, u"pmassertions.js"_s, u"pmrequest.js"_s, u"pmapi.js"_s}) {
        const QJSValue factory = engine.evaluate(resourceText(u":/mako/scripting/"_s + file), file);
        api = factory.isError()
            ? factory
            : factory.call({lib, engine.globalObject(), hostObject, module.property(u"exports"_s)});
        if (api.isError()) {
            setupError = api.toString();
            api = QJSValue();
            return;
        }
    }
}

QString ScriptEngine::Private::timeoutText() const
{
    return QCoreApplication::translate("mako::ScriptEngine", "Script timed out after %1 s")
        .arg(QString::number(settings.timeoutMilliseconds / 1000.0));
}

QString ScriptEngine::Private::scriptError(const QString& message) const
{
    if (context.eventName == u"prerequest")
        return QCoreApplication::translate("mako::ScriptEngine", "Pre-request: %1").arg(message);
    return QCoreApplication::translate("mako::ScriptEngine", "Tests: %1").arg(message);
}

void ScriptEngine::Private::start()
{
    if (!setupError.isEmpty()) {
        errors.append(scriptError(setupError));
        finish();
        return;
    }
    api.property(u"start"_s).call({scriptContextJSON(context)});
    nextScript();
}

void ScriptEngine::Private::nextScript()
{
    while (++index < scripts.size() && !stopped) {
        if (hasCode({scripts[index]})) {
            runScript(scripts[index]);
            return;
        }
    }
    finish();
}

void ScriptEngine::Private::runScript(const QString& code)
{
    ++generation;
    // The header shares the script's first line, so that the engine's line numbers are the
    // script's own; a script in a function of its own leaves no `var` behind.
    const QJSValue function = engine.evaluate(u"(function () {"_s + code + u"\n})"_s, kScriptFile);
    if (function.isError()) {
        scriptFailed(withLine(function.toString(), function.property(u"lineNumber"_s).toInt()));
        return;
    }
    watchdog.arm(std::chrono::milliseconds(settings.timeoutMilliseconds), generation);
    afterCallback(api.property(u"runScript"_s).call({function}));
}

void ScriptEngine::Private::afterCallback(const QJSValue& result)
{
    if (timedOutGeneration.load() == generation) {
        handleTimeout(generation);
        return;
    }
    if (result.isError()) {
        scriptFailed(result.toString());
        return;
    }
    // The API hands back what a script threw as {message, line}.
    if (result.isObject()) {
        scriptFailed(
            withLine(result.property(u"message"_s).toString(), result.property(u"line"_s).toInt()));
        return;
    }
    const int waitingFor = api.property(u"pending"_s).call().toInt();
    // The time-out may have struck while the engine was asked what the script waits for.
    if (timedOutGeneration.load() == generation)
        handleTimeout(generation);
    else if (waitingFor == 0)
        endScript();
}

void ScriptEngine::Private::scriptFailed(const QString& message)
{
    errors.append(scriptError(message));
    // A failing pre-request script stops the request: the scripts after it do not run.
    if (context.eventName == u"prerequest")
        stopped = true;
    endScript(message);
}

void ScriptEngine::Private::endScript(const QString& pendingReason)
{
    watchdog.disarm();
    // An expiry that raced the end of the script must not stop the next one.
    engine.setInterrupted(false);
    stopWaiting();
    ++generation;
    api.property(u"endScript"_s).call({pendingReason});
    nextScript();
}

void ScriptEngine::Private::stopWaiting()
{
    // Later, not now: this may run inside one of these timers' own signal.
    for (auto& [id, timer] : timers) {
        timer->stop();
        timer->deleteLater();
    }
    timers.clear();
    for (auto& [id, transfer] : transfers)
        transfer.cancel();
    transfers.clear();
}

void ScriptEngine::Private::finish()
{
    running = false;
    ScriptRun result;
    if (api.isCallable() || api.isObject()) {
        const QJSValue json = api.property(u"finish"_s).call();
        result = scriptRunFromJSON(json.toString().toUtf8(), context);
    } else {
        result = {.request = context.request, .scopes = context.scopes, .outcome = {}};
    }
    if (!errors.isEmpty())
        result.outcome.error = errors.join(u'\n');
    scripts.clear();
    context = {};
    // The caller may destroy the engine from `done`: nothing of it is touched afterwards.
    std::function<void(ScriptRun)> callback = std::exchange(done, nullptr);
    callback(std::move(result));
}

void ScriptEngine::Private::handleExpiry(std::uint64_t expired)
{
    // On the watchdog's thread: a script busy in a loop is stopped where it is; one that waits
    // for a timer or a reply is ended on the engine's thread.
    timedOutGeneration.store(expired);
    engine.setInterrupted(true);
    QMetaObject::invokeMethod(
        q, [this, expired] { handleTimeout(expired); }, Qt::QueuedConnection);
}

void ScriptEngine::Private::handleTimeout(std::uint64_t expired)
{
    if (!running || expired != generation)
        return;
    engine.setInterrupted(false);
    scriptFailed(timeoutText());
}

void ScriptEngine::Private::startTimer(int id, int milliseconds, bool repeat)
{
    auto* timer = new QTimer(q);
    timer->setSingleShot(!repeat);
    const std::uint64_t owner = generation;
    QObject::connect(timer, &QTimer::timeout, q, [this, id, owner, repeat] {
        if (owner != generation)
            return;
        if (const auto found = timers.find(id); found != timers.end() && !repeat) {
            found->second->deleteLater();
            timers.erase(found);
        }
        afterCallback(api.property(u"fire"_s).call({id}));
    });
    timers[id] = timer;
    timer->start(milliseconds);
}

void ScriptEngine::Private::stopTimer(int id)
{
    if (const auto found = timers.find(id); found != timers.end()) {
        found->second->stop();
        found->second->deleteLater();
        timers.erase(found);
    }
}

void ScriptEngine::Private::send(int id, const QString& spec)
{
    const QJsonObject object = QJsonDocument::fromJson(spec.toUtf8()).object();
    APIRequest request {
        .name = u"pm.sendRequest"_s,
        .url = object.value(u"url"_s).toString(),
        .headers = {},
        .queryParams = {},
    };
    setMethodName(request, object.value(u"method"_s).toString());
    for (const QJsonValue& header : object.value(u"headers"_s).toArray()) {
        const QJsonArray pair = header.toArray();
        request.headers.append({.key = pair.at(0).toString(), .value = pair.at(1).toString()});
    }
    request.body = object.value(u"body"_s).toString();
    request.bodyType = request.body.isEmpty() ? RequestBodyType::none : RequestBodyType::raw;
    const std::uint64_t owner = generation;
    // What a script sends goes out as written: no variables are substituted in it.
    transfers[id]
        = service.execute(request, std::nullopt, q, [this, id, owner](const NetworkResult& result) {
              if (owner != generation)
                  return;
              transfers.erase(id);
              QString error;
              QString reply;
              if (const auto* response = std::get_if<APIResponse>(&result)) {
                  reply = QString::fromUtf8(
                      QJsonDocument(scriptResponseJSON(*response)).toJson(QJsonDocument::Compact));
              } else {
                  error = std::get<NetworkError>(result).errorDescription();
              }
              afterCallback(api.property(u"deliver"_s).call({id, error, reply}));
          });
}

ScriptEngine::ScriptEngine(NetworkService& service, ScriptSettings settings, QObject* parent)
    : QObject(parent)
    , d(std::make_unique<Private>(this, service, std::move(settings)))
{
    quietCompiler();
    d->setUp();
}

ScriptEngine::~ScriptEngine() = default;

void ScriptEngine::run(
    const QStringList& scripts, ScriptContext context, std::function<void(ScriptRun)> done)
{
    d->running = true;
    d->scripts = scripts;
    d->index = -1;
    d->context = std::move(context);
    d->done = std::move(done);
    d->errors.clear();
    d->stopped = false;
    QMetaObject::invokeMethod(
        this, [this] { d->start(); }, Qt::QueuedConnection);
}

bool ScriptEngine::hasCode(const QStringList& scripts)
{
    return std::any_of(scripts.cbegin(), scripts.cend(),
        [](const QString& script) { return !script.trimmed().isEmpty(); });
}

} // namespace mako
