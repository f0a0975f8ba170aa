#include "model/collection.h"
#include "state/persistenceservice.h"

#include <QCoreApplication>

#include <cstdio>

using namespace mako;
using namespace Qt::StringLiterals;

// Usage: mako_state_kill_helper <application folder>
// Writes "collections.json" over and over, alternating a list of 2 collections and one of 40,
// and prints a line each time a write has landed (the next one has been asked for by then).
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 2;
    QList<Collection> sizes[2];
    for (int c = 0; c < 40; ++c) {
        Collection collection {.name = u"Collection %1"_s.arg(c)};
        for (int r = 0; r < 30; ++r)
            collection.requests.append(APIRequest {
                .url = u"https://example.test/items/%1"_s.arg(r), .body = QString(200, u'x')});
        sizes[1].append(collection);
        if (c < 2)
            sizes[0].append(collection);
    }
    PersistenceService service(app.arguments().at(1));
    int round = 0;
    auto saveNext = [&] {
        QList<Collection> collections = sizes[round % 2];
        collections.first().name = u"round %1"_s.arg(round++);
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
