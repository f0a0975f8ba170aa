#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <utility>

class QLabel;

namespace mako {

class AppState;
class IconLabel;
class RequestViewModel;

/// The line under the editor: where the open request comes from, which of its placeholders no
/// variable defines (they go out as typed), and, while a response is shown, how many headers
/// it had and its content type.
class RequestStatusBar : public QWidget {
    Q_OBJECT

public:
    RequestStatusBar(AppState& state, RequestViewModel& viewModel, QWidget* parent = nullptr);

    /// Names the undefined placeholders again, after the variables changed.
    void refreshVariables();

private:
    void showOrigin();
    void showResponse();
    void showUndefinedVariables();
    bool mayHoldPlaceholders(const QString& body);

    AppState& m_state;
    RequestViewModel& m_viewModel;
    IconLabel* m_collectionIcon;
    IconLabel* m_historyIcon;
    IconLabel* m_unsavedIcon;
    QLabel* m_origin;
    QLabel* m_undefined;
    QLabel* m_response;
    /// The last long bodies searched for "{{", most recent first, and whether they hold one.
    /// Each is kept as the text itself, so that its characters cannot change or be reused.
    QList<std::pair<QString, bool>> m_searchedBodies;
};

} // namespace mako
