#pragma once

#include <QWidget>

class QButtonGroup;

namespace mako {

class AppState;

/// The toolbar's protocol buttons: the checked one is the open request's protocol; choosing
/// another switches the open request to it (opening a new request when none is open).
class ProtocolPicker : public QWidget {
    Q_OBJECT

public:
    explicit ProtocolPicker(AppState& state, QWidget* parent = nullptr);

private:
    void handleOpenRequestChanged();
    void handleProtocolClicked(int protocol);

    AppState& m_state;
    QButtonGroup* m_buttons;
};

} // namespace mako
