#pragma once

#include <QStringList>

namespace mako::cli {

struct Console;

// One function per subcommand; each takes the arguments after the command's name and returns
// the exit status.
int sendCommand(const QStringList& arguments, Console& console);
int runCommand(const QStringList& arguments, Console& console);
int convertCommand(const QStringList& arguments, Console& console);
int formatCommand(const QStringList& arguments, Console& console);
int importCommand(const QStringList& arguments, Console& console);
int exportCommand(const QStringList& arguments, Console& console);

} // namespace mako::cli
