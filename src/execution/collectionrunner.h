#pragma once

#include "execution/networkservice.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/collection.h"
#include "model/scriptoutcome.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

namespace mako {

/// The outcome of one request of a collection run. Memory only.
struct RunResult {
    QUuid id = QUuid::createUuid();
    /// The request as stored in the collection, even when it went out in another form.
    APIRequest request;
    /// Absent when no response came back.
    std::optional<int> statusCode;
    /// Seconds, as the network service measured them; 0 without a response.
    double duration = 0;
    /// The failure's description when no response came back.
    std::optional<QString> error;
    /// A request with tests passes when every test passes and no script failed; one without,
    /// when a response came back with a status code below 400.
    bool passed = false;
    /// What the request's scripts (with its folder's and collection's) reported.
    ScriptOutcome scripts;
    /// The 0-based row of iteration data the request ran with; 0 for a run without data.
    int iteration = 0;

    bool operator==(const RunResult&) const = default;
};

/// One row of iteration data: the data variables of one pass over the collection.
using IterationRow = QList<KeyValuePair>;

/// Sends every request of a collection, one after another, and judges each by its status code.
/// Keeps no state between runs, so any number of runs may go on at once.
class CollectionRunner {
public:
    /// Called as each request starts, in order with the results: 1-based position and the
    /// number of requests of every iteration together. The request may already be on its way when
    /// this runs.
    using ProgressCallback = std::function<void(int current, int total)>;
    using ResultCallback = std::function<void(const RunResult& result)>;
    /// Called once at the end with every result, in collection order.
    using FinishCallback = std::function<void(const QList<RunResult>& results)>;

    /// Refers to a running run. A default handle refers to none.
    class RunHandle {
    public:
        /// What a handle reaches: the iteration in flight, and whether the run was stopped.
        struct Control {
            TransferHandle sequence;
            bool cancelled = false;
            /// What else a run has to stop besides its transfer (scripts waiting to run).
            std::function<void()> stop;
        };

        RunHandle() = default;
        explicit RunHandle(std::shared_ptr<Control> control)
            : m_control(std::move(control))
        { }
        /// Stops the run: the request in flight is abandoned and not reported, no further
        /// request or iteration is sent, and the finish callback follows (after `cancel` has
        /// returned) with the results of the requests that had ended. Does nothing once the run
        /// has finished. Call it on the context's thread.
        void cancel() const
        {
            if (!m_control)
                return;
            m_control->cancelled = true;
            m_control->sequence.cancel();
            if (m_control->stop)
                m_control->stop();
        }

    private:
        std::shared_ptr<Control> m_control;
    };

    /// Runs the collection's requests in list order (folders play no part) through
    /// `service.executeSequence` with `environment`, strictly one at a time. A GraphQL request with
    /// a query goes out as its HTTP POST form. A failure becomes a failed result and the run goes
    /// on. Every callback runs on `context`'s thread, none after `context` is destroyed and none
    /// before `run` returns. An empty collection calls only `onFinished`.
    ///
    /// With `iterationData`, the collection runs once per row, in row order, each pass with the
    /// row's variables ahead of the environment's, so a data variable beats an environment or
    /// global one of the same name. Without rows it runs once.
    static RunHandle run(const Collection& collection,
        const std::optional<APIEnvironment>& environment, QObject* context,
        ProgressCallback onProgress, ResultCallback onResult, FinishCallback onFinished,
        NetworkService& service = NetworkService::shared(),
        const QList<IterationRow>& iterationData = {});

    /// The variables of one iteration: the row's, then the environment's rows.
    static std::optional<APIEnvironment> iterationEnvironment(
        const std::optional<APIEnvironment>& environment, const IterationRow& row);

    /// The request that goes on the wire for `request`.
    static APIRequest preparedRequest(const APIRequest& request);
};

} // namespace mako
