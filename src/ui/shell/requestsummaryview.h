#pragma once

#include "model/requestenums.h"

#include <QWidget>

class QLabel;

namespace mako {

class AppState;

/// Names the open request (its method or protocol, and its name) in the place of a protocol's
/// screen that is not built yet.
class RequestSummaryView : public QWidget {
    Q_OBJECT

public:
    RequestSummaryView(AppState& state, RequestProtocol protocol, QWidget* parent = nullptr);

private:
    void handleOpenRequestChanged();

    AppState& m_state;
    QLabel* m_label;
    QLabel* m_name;
};

} // namespace mako
