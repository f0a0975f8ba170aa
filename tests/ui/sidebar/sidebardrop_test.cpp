#include "sidebartesting.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Drags `payload` over the row and lets go there, as the platform would deliver it. Returns
// whether the view showed the drop as accepted while the pointer was over the row.
bool dragAndDrop(SidebarRun& run, const QModelIndex& target, const QString& payload)
{
    QMimeData data;
    data.setText(payload);
    QWidget* viewport = run.tree->viewport();
    const QPoint at = run.tree->visualRect(target).center();
    QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    const bool accepted = move.isAccepted();
    QDropEvent drop(QPointF(at), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    run.sidebar->actions().endDragging();
    return accepted;
}

} // namespace

TEST(SidebarDrop, requestsAndFoldersMoveWhereTheRulesAllow)
{
    enum class Drag { request, folder, foreign };
    const struct {
        const char* name;
        Drag drag;
        bool ontoFolder, ontoOther, accepted;
        QStringList apiRequests, otherRequests;
        int apiFolders;
        QList<int> folderRequests; // of API's folder, by index into a, b, c
    } cases[] = {
        {"request onto a folder", Drag::request, true, false, true, {u"a"_s, u"b"_s, u"c"_s},
            {u"o"_s}, 1, {1, 0}},
        {"request onto another collection", Drag::request, false, true, true, {u"b"_s, u"c"_s},
            {u"o"_s, u"a"_s}, 1, {1}},
        {"folder onto another collection", Drag::folder, false, true, true, {u"a"_s, u"c"_s},
            {u"o"_s, u"b"_s}, 0, {}},
        {"folder onto its own collection", Drag::folder, false, false, false,
            {u"a"_s, u"b"_s, u"c"_s}, {u"o"_s}, 1, {1}},
        {"text from elsewhere", Drag::foreign, true, false, false, {u"a"_s, u"b"_s, u"c"_s},
            {u"o"_s}, 1, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SidebarRun run;
        SidebarActions& actions = run.sidebar->actions();
        QString payload = run.a.id.toString(QUuid::WithoutBraces);
        if (c.drag == Drag::request)
            payload = actions.startDraggingRequest(run.a.id);
        else if (c.drag == Drag::folder)
            payload = actions.startDraggingFolder(run.folderID);
        const QModelIndex target = c.ontoOther ? run.row(run.other, run.other)
            : c.ontoFolder                     ? run.row(run.folderID, run.api)
                                               : run.row(run.api, run.api);
        EXPECT_EQ(dragAndDrop(run, target, payload), c.accepted);
        EXPECT_EQ(run.requestNames(run.api), c.apiRequests);
        EXPECT_EQ(run.requestNames(run.other), c.otherRequests);
        ASSERT_EQ(run.collection(run.api).folders.size(), c.apiFolders);
        if (c.apiFolders) {
            const QList<QUuid> ids {run.a.id, run.b.id, run.c.id};
            QList<QUuid> expected;
            for (int i : c.folderRequests)
                expected.append(ids[i]);
            EXPECT_EQ(run.collection(run.api).folders[0].requestIDs, expected);
        }
    }
}

TEST(SidebarDrop, theTreeKeepsExpansionAndSelectionWhenSavesLand)
{
    SidebarRun run;
    run.tree->collapseAll();
    run.tree->expand(run.row(run.api, run.api));
    run.tree->expand(run.row(run.folderID, run.api));
    run.clickRow(run.row(run.b.id, run.api));
    ASSERT_EQ(run.tree->currentIndex(), run.row(run.b.id, run.api));

    // A save from the editor, a new request elsewhere, and the auto-save writing them.
    APIRequest edited = run.b;
    edited.name = u"b2"_s;
    run.state.saveRequestToCollection(edited, run.api);
    run.state.saveRequestToCollection(APIRequest {.name = u"n"_s}, run.api);
    run.state.saveCollections();
    EXPECT_TRUE(waitUntilIdle(run.persistence));

    EXPECT_TRUE(run.tree->isExpanded(run.row(run.api, run.api)));
    EXPECT_TRUE(run.tree->isExpanded(run.row(run.folderID, run.api)));
    EXPECT_FALSE(run.tree->isExpanded(run.row(run.other, run.other)));
    EXPECT_EQ(run.tree->currentIndex(), run.row(run.b.id, run.api));
    EXPECT_EQ(run.tree->currentIndex().data().toString(), u"b2"_s);
}
