#include "model/collection.h"
#include "state/persistenceservice.h"

#include <QCoreApplication>

#include <cstdio>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

QList<Collection> makeCollections(int count, int requestsEach)
{
    QList<Collection> collections;
    for (int c = 0; c < count; ++c) {
        Collection collection {.name = u"Collection %1"_s.arg(c)};
        for (int r = 0; r < requestsEach; ++r)
            collection.requests.append(APIRequest {
                .url = u"https://example.test/items/%1"_s.arg(r), .body = QString(200, u'x')});
        collections.append(collection);
    }
    return collections;
}

} // namespace

// Usage: mako_state_kill_helper <application folder>
// Writes "collections.json" over and over, alternating a small and a large list, and prints a
// line each time a write has landed (the next one has been asked for by then).
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 2;
    PersistenceService service(app.arguments().at(1));
    const QList<Collection> sizes[] = {makeCollections(2, 10), makeCollections(40, 30)};
    int round = 0;
    auto saveNext = [&] {
        QList<Collection> collections = sizes[round % 2];
        collections.first().name = u"round %1"_s.arg(round);
        ++round;
        service.save(collections, PersistenceService::kCollectionsFile);
    };
    QObject::connect(&service, &PersistenceService::saveFinished, &service, [&] {
        saveNext();
        std::puts("saved");
        std::fflush(stdout);
    });
    saveNext();
    return app.exec();
}
