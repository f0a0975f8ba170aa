#pragma once

#include "model/apirequest.h"
#include "model/collection.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// The bytes of a file under tests/data; an unreadable fixture fails the test that asked.
inline QByteArray fixture(const QString& relativePath)
{
    QFile file(QStringLiteral(MAKO_TEST_DATA_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << relativePath.toStdString();
        return {};
    }
    return file.readAll();
}

inline QString rowsText(const QList<mako::KeyValuePair>& rows)
{
    using namespace Qt::StringLiterals;
    QStringList result;
    for (const mako::KeyValuePair& row : rows)
        result.append(row.key + u'=' + row.value + (row.isEnabled ? QString() : u" (off)"_s));
    return result.join(u", "_s);
}

// An imported request as the editor shows it, on one line: "name: METHOD url H[headers]
// Q[query rows] BodyType[body] AuthType[token] {domain|region|service|session}". Row lists
// that are empty or a single blank row, no body and no auth are left out.
inline QString summary(const mako::APIRequest& request)
{
    using namespace mako;
    using namespace Qt::StringLiterals;
    QString text = request.name + u": "_s + methodName(request) + u' ' + request.url;
    const auto addRows = [&](const QString& label, const QList<KeyValuePair>& rows) {
        if (!rows.isEmpty() && !(rows.size() == 1 && rows.first().key.isEmpty()))
            text += u' ' + label + u'[' + rowsText(rows) + u']';
    };
    addRows(u"H"_s, request.headers);
    addRows(u"Q"_s, request.queryParams);
    if (request.bodyType != RequestBodyType::none || !request.body.isEmpty())
        text += u' ' + rawValue(request.bodyType) + u'[' + request.body + u']';
    if (request.authType != AuthType::none || !request.authToken.isEmpty())
        text += u' ' + rawValue(request.authType) + u'[' + request.authToken + u']';
    const QStringList extras {
        request.authDomain, request.awsRegion, request.awsService, request.awsSessionToken};
    if (!extras.join(QString()).isEmpty())
        text += u" {"_s + extras.join(u'|') + u'}';
    return text;
}

// Each folder as "name: request, request", then the requests in no folder, by name.
inline QStringList folderListing(const mako::Collection& collection)
{
    using namespace Qt::StringLiterals;
    QStringList result;
    QList<QUuid> filed;
    const auto nameOf = [&](const QUuid& id) {
        for (const mako::APIRequest& request : collection.requests) {
            if (request.id == id)
                return request.name;
        }
        return u"?"_s;
    };
    for (const mako::CollectionFolder& folder : collection.folders) {
        QStringList names;
        for (const QUuid& id : folder.requestIDs)
            names.append(nameOf(id));
        filed += folder.requestIDs;
        result.append(folder.name + u": "_s + names.join(u", "_s));
    }
    QStringList top;
    for (const mako::APIRequest& request : collection.requests) {
        if (!filed.contains(request.id))
            top.append(request.name);
    }
    result.append(u"(top): "_s + top.join(u", "_s));
    return result;
}

// The request of that name; a missing one fails the test that asked.
inline mako::APIRequest requestNamed(const mako::Collection& collection, const QString& name)
{
    for (const mako::APIRequest& request : collection.requests) {
        if (request.name == name)
            return request;
    }
    ADD_FAILURE() << "no request named " << name.toStdString();
    return {};
}
