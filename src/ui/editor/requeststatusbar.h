#pragma once

#include <QWidget>

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

    AppState& m_state;
    RequestViewModel& m_viewModel;
    IconLabel* m_collectionIcon;
    IconLabel* m_historyIcon;
    IconLabel* m_unsavedIcon;
    QLabel* m_origin;
    QLabel* m_undefined;
    QLabel* m_response;
};

} // namespace mako
