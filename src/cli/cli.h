#pragma once

#include <QIODevice>
#include <QStringList>

namespace mako::cli {

/// Exit statuses of mako-cli.
enum ExitStatus : int {
    kSuccess = 0,
    kFailure = 1,
    kUsage = 2,
};

/// Runs mako-cli with its arguments (without the program name). Reads stdin only when a command
/// asks for it; writes results to `out` and messages to `err`.
int run(const QStringList& arguments, QIODevice& in, QIODevice& out, QIODevice& err);

} // namespace mako::cli
