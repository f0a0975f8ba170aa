#include "ui/screens/graphqlschemanames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

void addName(QSet<QString>& names, const QJsonValue& named)
{
    const QString name = named.toObject().value(u"name"_s).toString();
    // The introspection types (__Type, __schema, ...) are not names a query is written with.
    if (!name.isEmpty() && !name.startsWith(u"__"_s))
        names.insert(name);
}

} // namespace

QStringList graphQLSchemaNames(QByteArrayView json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray());
    const QJsonArray types = document.object()
                                 .value(u"data"_s)
                                 .toObject()
                                 .value(u"__schema"_s)
                                 .toObject()
                                 .value(u"types"_s)
                                 .toArray();
    QSet<QString> names;
    for (const QJsonValue& type : types) {
        addName(names, type);
        for (const QJsonValue& field : type.toObject().value(u"fields"_s).toArray()) {
            addName(names, field);
            for (const QJsonValue& argument : field.toObject().value(u"args"_s).toArray())
                addName(names, argument);
        }
    }
    QStringList sorted(names.cbegin(), names.cend());
    std::sort(sorted.begin(), sorted.end(), [](const QString& left, const QString& right) {
        const int order = left.compare(right, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : left < right;
    });
    return sorted;
}

} // namespace mako
