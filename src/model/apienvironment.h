#pragma once

#include "model/keyvaluepair.h"

#include <QList>
#include <QString>
#include <QUuid>

namespace mako {

/// A named set of variables. At most one environment is meant to be active at a time.
struct APIEnvironment {
    QUuid id = QUuid::createUuid();
    QString name;
    QList<KeyValuePair> variables {KeyValuePair {}};
    bool isActive = false;
};

} // namespace mako
