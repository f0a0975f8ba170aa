#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUuid>

#include <memory>
#include <optional>

class QWidget;

namespace mako {

class AppState;

/// The one way a tab is closed by the user (its close button, a middle click, the context
/// menu, Ctrl+W): a tab that would lose work when it goes asks first, "Save", "Don't Save" or
/// "Cancel", in one question for all of them when several close at once. "Save" stores a
/// collection's request in place and opens the save sheet for a request stored nowhere; such a
/// tab closes only once it is saved. Quitting does not come this way.
class TabCloser : public QObject {
    Q_OBJECT

public:
    /// `state` must outlive the closer; the questions are shown over `widget`'s window.
    TabCloser(AppState& state, QWidget* widget);

    void closeTab(const QUuid& id);
    void closeOtherTabs(const QUuid& id);
    void closeAllTabs();

private:
    struct Closing;

    void close(QList<QUuid> ids, std::optional<QUuid> keep);
    void ask(const std::shared_ptr<Closing>& closing);
    void saveAndClose(const std::shared_ptr<Closing>& closing);
    /// Opens the save sheet for the next request stored nowhere; closes what is left when none is.
    void saveNextDraft(const std::shared_ptr<Closing>& closing);
    void finish(const Closing& closing);

    AppState& m_state;
    QPointer<QWidget> m_widget;
};

} // namespace mako
