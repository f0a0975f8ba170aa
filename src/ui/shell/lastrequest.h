#pragma once

#include <QObject>

namespace mako {

class AppState;
class Settings;

/// Remembers which saved request was open, and opens it again at the next start when the
/// "reopenLastRequest" preference asks for it. Only requests kept in a collection come back
/// (a new request or a copy from the history has no home to be found in again), so the last
/// saved request the user had in front of them is the one reopened. The session file brings
/// back every open tab by itself; this comes into play only when it brought back none (it was
/// lost, or written by no earlier run).
class LastRequest : public QObject {
    Q_OBJECT

public:
    LastRequest(AppState& state, Settings& settings, QObject* parent = nullptr);

private:
    void remember();
    void reopen();

    AppState& m_state;
    Settings& m_settings;
};

} // namespace mako
