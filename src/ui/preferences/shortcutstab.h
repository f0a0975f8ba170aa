#pragma once

#include <QWidget>

namespace mako {

/// The keys worth knowing, as fixed text in this platform's own way of writing them.
class ShortcutsTab : public QWidget {
    Q_OBJECT

public:
    explicit ShortcutsTab(QWidget* parent = nullptr);
};

} // namespace mako
