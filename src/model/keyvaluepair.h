#pragma once

#include <QString>
#include <QUuid>

namespace mako {

/// One editable row of a key/value table: a header, a query parameter, a form field, a variable.
/// Rows that are disabled or have an empty key are kept and stored, but skipped wherever rows
/// are applied.
struct KeyValuePair {
    QUuid id = QUuid::createUuid();
    QString key;
    QString value;
    bool isEnabled = true;
    /// A variable whose value is kept in the secret service: it is never written to a file, an
    /// export or a backup, which keep the row with an empty value.
    bool isSecret = false;

    /// Whether the row takes part where rows are applied.
    bool isApplicable() const { return isEnabled && !key.isEmpty(); }

    bool operator==(const KeyValuePair&) const = default;
};

} // namespace mako
