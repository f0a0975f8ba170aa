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
    /// The folder collection the environment is kept with, or null for one of the data folder.
    /// Only in memory: the collection's folder is where such an environment is stored.
    QUuid collectionID;
};

} // namespace mako
