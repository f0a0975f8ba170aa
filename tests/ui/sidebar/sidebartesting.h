#pragma once

#include "shellrun.h"
#include "state/sidebaractions.h"
#include "ui/commands/shortcutmap.h"
#include "ui/sidebar/collectioncommands.h"
#include "ui/sidebar/collectiontreemodel.h"
#include "ui/sidebar/historyview.h"
#include "ui/sidebar/sidebar.h"
#include "windowtesting.h"

#include <QLineEdit>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

#include <memory>

namespace mako::test {

/// A sidebar over a loaded state in a window of its own, with a collection "API" (requests a,
/// b, c; folder "F" holding b) and a collection "Other" (request o).
struct SidebarRun : StateRun {
    SidebarRun()
    {
        settings.setValue(SettingKeys::confirmBeforeDelete, false);
        api = addCollection(QStringLiteral("API"), {a, b, c});
        other = addCollection(QStringLiteral("Other"), {o});
        state.addFolder(QStringLiteral("F"), api);
        folderID = collection(api).folders[0].id;
        state.moveRequestToFolder(b.id, folderID, api);
        sidebar = new Sidebar(state, settings, dialogs, shortcuts, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(sidebar);
        window.showNow();
        tree = child<QTreeView>(sidebar, QStringLiteral("collectionTree"));
        model = static_cast<CollectionTreeModel*>(tree->model());
        tree->expandAll();
    }

    QModelIndex row(const QUuid& id, const QUuid& in) const
    {
        return id == in ? model->collectionIndex(id) : model->findIndex(in, id);
    }
    /// The context menu of the row showing `id` in the collection `in`.
    std::unique_ptr<QMenu> menu(const QUuid& id, const QUuid& in)
    {
        return std::unique_ptr<QMenu>(sidebar->commands().menuFor(row(id, in), &window));
    }
    void clickRow(const QModelIndex& index) const
    {
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    }
    QStringList requestNames(const QUuid& id) const
    {
        QStringList names;
        for (const APIRequest& request : collection(id).requests)
            names.append(request.name);
        return names;
    }

    const APIRequest a {.name = QStringLiteral("a"), .url = QStringLiteral("https://a.test/a")};
    const APIRequest b {.name = QStringLiteral("b"),
        .url = QStringLiteral("https://a.test/b"),
        .tags = {QStringLiteral("smoke")}};
    const APIRequest c {.name = QStringLiteral("c"), .url = QStringLiteral("https://a.test/c")};
    const APIRequest o {.name = QStringLiteral("o"), .url = QStringLiteral("https://o.test/")};
    QUuid api, other, folderID;
    ShortcutMap shortcuts {settings};
    ScriptedFileDialogs dialogs;
    TestWindow window;
    Sidebar* sidebar = nullptr;
    QTreeView* tree = nullptr;
    CollectionTreeModel* model = nullptr;
};

} // namespace mako::test
