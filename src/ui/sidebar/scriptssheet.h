#pragma once

#include <QDialog>
#include <QUuid>

#include <optional>

class QPushButton;

namespace mako {

class AppState;
class ScriptTextEdit;
class Settings;

/// "Scripts": the pre-request and test scripts of a collection, or of one of its folders, in
/// the same fields as the request's Scripts tab. "Save" stores both through the state and
/// closes; "Cancel" and Escape close without a change. It closes by itself when the collection
/// or folder goes meanwhile. Open it with `open()`; it deletes itself when closed.
class ScriptsSheet : public QDialog {
    Q_OBJECT

public:
    /// `state` and `settings` must outlive the sheet; nothing opens for an unknown collection
    /// or folder (the caller checks with `canEdit`).
    ScriptsSheet(AppState& state, const Settings& settings, QUuid collectionID,
        std::optional<QUuid> folderID, QWidget* window);

    /// Whether the collection (and the folder, when one is named) exists.
    static bool canEdit(const AppState& state, QUuid collectionID, std::optional<QUuid> folderID);

private:
    void save();
    void closeWhenGone();

    AppState& m_state;
    const QUuid m_collectionID;
    const std::optional<QUuid> m_folderID;
    ScriptTextEdit* m_preRequest;
    ScriptTextEdit* m_test;
};

} // namespace mako
