#pragma once

#include "model/requestenums.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QToolButton;

namespace mako {

class AppState;
class Commands;

/// The header row of the GraphQL, WebSocket and SSE screens: the request's name, a short badge
/// naming the protocol, the URL, the screen's own action buttons and a save button that asks
/// the application to save the open request into a collection.
class ScreenHeader : public QWidget {
    Q_OBJECT

public:
    ScreenHeader(
        AppState& state, Commands& commands, RequestProtocol protocol, QWidget* parent = nullptr);

    /// Adds `action` between the URL and the save button, after those added before.
    void addAction(QWidget* action);

    QLineEdit* urlField() const { return m_url; }
    QToolButton* saveButton() const { return m_save; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void blendNameField();

    QLineEdit* m_name;
    QLabel* m_badge;
    QLineEdit* m_url;
    QHBoxLayout* m_actions;
    QWidget* m_lastAction = nullptr;
    QToolButton* m_save;
};

} // namespace mako
