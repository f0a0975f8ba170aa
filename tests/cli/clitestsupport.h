#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QStringList>
#include <QTemporaryDir>

namespace mako::test {

/// What one start of the mako-cli executable produced.
struct CliOutcome {
    int status = -1;
    QByteArray out;
    QByteArray err;
    /// Standard output parsed as JSON (null when it is not JSON).
    QJsonValue json() const;
};

/// Starts the built mako-cli with `arguments`, feeds it `input` and waits for it. Its data and
/// home folders point into `sandbox`, so nothing reaches the user's real data.
CliOutcome runCli(
    const QTemporaryDir& sandbox, const QStringList& arguments, const QByteArray& input = {});

/// Writes `bytes` to `name` inside `dir` and returns the path.
QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

} // namespace mako::test
