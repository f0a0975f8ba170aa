#pragma once

#include <QWidget>

namespace mako {

class AppState;
class Commands;

/// What the detail area shows while no request is open: the product's name, one action per way
/// to start (four protocols, a pasted curl command, a Postman import) and a few tips.
class WelcomeView : public QWidget {
    Q_OBJECT

public:
    WelcomeView(AppState& state, Commands& commands, QWidget* parent = nullptr);

private:
    QWidget* buildHeader();
    QWidget* buildActions();
    QWidget* buildTips();

    AppState& m_state;
    Commands& m_commands;
};

} // namespace mako
