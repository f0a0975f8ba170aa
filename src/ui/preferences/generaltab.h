#pragma once

#include <QWidget>

namespace mako {

class Settings;

/// Appearance and behaviour: theme, accent colour, sidebar width and the sidebar's and
/// start-up's switches.
class GeneralTab : public QWidget {
    Q_OBJECT

public:
    explicit GeneralTab(Settings& settings, QWidget* parent = nullptr);

    static constexpr int kSidebarWidthStep = 10;
};

} // namespace mako
