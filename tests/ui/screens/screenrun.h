#pragma once

#include "support/waitfor.h"
#include "ui/commands/commands.h"
#include "windowtesting.h"

#include <QVBoxLayout>

namespace mako::test {

/// One protocol screen in a shown window, over a loaded state on a temporary folder.
template <typename Screen> struct ScreenRun : StateRun {
    ScreenRun()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(screen);
        window.showNow();
    }

    /// Opens `request` in a new active tab and returns the tab's id.
    QUuid open(const APIRequest& request)
    {
        state.openFromCollection(request, collection);
        return *state.activeTabID();
    }

    template <typename T> T* find(const QString& name) const { return child<T>(screen, name); }

    QUuid collection = QUuid::createUuid();
    Commands commands;
    TestWindow window;
    Screen* screen = new Screen(state, commands, &window);
};

} // namespace mako::test
