#pragma once

#include <QWidget>

namespace mako {

class Settings;

/// Time-out, redirects, certificate checks and the default User-Agent. The shell hands each
/// change to the network service, so it applies to the next request.
class NetworkTab : public QWidget {
    Q_OBJECT

public:
    explicit NetworkTab(Settings& settings, QWidget* parent = nullptr);
};

} // namespace mako
