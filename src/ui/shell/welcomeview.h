#pragma once

#include "ui/commands/shortcuts.h"

#include <QList>
#include <QWidget>

class QLabel;

namespace mako {

class AppState;
class Commands;
class QuickActionButton;
class ShortcutMap;

/// What the detail area shows while no request is open: the product's name, one action per way
/// to start (four protocols, a pasted curl command, a Postman import) and a few tips.
class WelcomeView : public QWidget {
    Q_OBJECT

public:
    WelcomeView(AppState& state, Commands& commands, const ShortcutMap& shortcuts,
        QWidget* parent = nullptr);

private:
    QWidget* buildHeader();
    QWidget* buildActions();
    QWidget* buildTips();
    /// Writes the current keys into the buttons and tips that name them.
    void showShortcuts();

    AppState& m_state;
    Commands& m_commands;
    const ShortcutMap& m_shortcuts;
    QList<std::pair<QuickActionButton*, Shortcut>> m_keyedButtons;
    /// Each tip that names a key: its row, its label and its text with %1 for the key.
    struct KeyTip {
        QWidget* row;
        QLabel* label;
        QString text;
        Shortcut command;
    };
    QList<KeyTip> m_keyTips;
};

} // namespace mako
