#pragma once

#include "execution/networkservice.h"
#include "state/requestviewmodel.h"
#include "state/settings.h"
#include "support/tempappfolder.h"
#include "windowtesting.h"

#include <QVBoxLayout>

namespace mako::test {

/// An editor's view model and preferences, and a window to show one piece of the editor in.
struct PieceRun {
    explicit PieceRun(const APIRequest& request)
        : model(request, &NetworkService::shared())
    { }

    /// Shows `piece` in the window and returns it.
    template <typename T> T* show(T* piece)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(piece);
        window.showNow();
        return piece;
    }
    static std::optional<APIEnvironment> noVariables() { return std::nullopt; }

    TempAppFolder folder;
    Settings settings {folder.settingsFile()};
    RequestViewModel model;
    TestWindow window;
};

} // namespace mako::test
