#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace mako {

/// The type, field and argument names of an introspection result ({"data": {"__schema": {
/// "types": [...]}}}), each once, in a case-insensitive order, without the schema's own
/// double-underscore names. Empty for anything else.
QStringList graphQLSchemaNames(QByteArrayView json);

} // namespace mako
