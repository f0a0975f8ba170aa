#pragma once

#include "execution/collectionrunner.h"
#include "model/result.h"

#include <QByteArray>
#include <QList>

namespace mako {

/// Reads the rows of iteration data a collection run goes through: a JSON array of objects
/// (each member a variable; strings as they are, other values as their JSON text, null as
/// empty), or else CSV with a header row of variable names (RFC 4180: quoted fields may hold
/// commas, line breaks and doubled quotes; CRLF or LF ends a record; a UTF-8 byte order mark
/// is dropped). Every CSV record has as many fields as the header; blank lines are skipped.
/// Fails with the reason on a malformed file or one without rows.
Result<QList<IterationRow>> readIterationData(const QByteArray& bytes);

} // namespace mako
