#pragma once

#include <QObject>
#include <QString>

namespace mako {

class Settings;

/// Applies the "appearance" preference to every window at once: "light" and "dark" show the
/// Fusion style with Mako's own light or dark palette (coloured by the "accentColorName"
/// preference), anything else gives the desktop's own style and palette back. Follows both
/// preferences as they change.
class Appearance : public QObject {
    Q_OBJECT

public:
    /// Remembers the desktop's style, so must be made before anything changes it.
    explicit Appearance(Settings& settings, QObject* parent = nullptr);

    /// Applies the stored preferences now.
    void apply();

private:
    void handleValueChanged(const QString& key);

    Settings& m_settings;
    QString m_desktopStyle;
};

} // namespace mako
