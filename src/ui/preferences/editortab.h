#pragma once

#include <QWidget>

namespace mako {

class Settings;

/// The text of the request and response editors: size, tabs, what is shown, and a preview of
/// the chosen size.
class EditorTab : public QWidget {
    Q_OBJECT

public:
    explicit EditorTab(Settings& settings, QWidget* parent = nullptr);
};

} // namespace mako
