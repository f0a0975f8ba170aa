#include "ui/common/palettes.h"

namespace mako {

namespace {

struct Roles {
    QRgb window;
    QRgb windowText;
    QRgb base;
    QRgb alternateBase;
    QRgb text;
    QRgb button;
    QRgb light;
    QRgb midlight;
    QRgb mid;
    QRgb dark;
    QRgb shadow;
    QRgb secondaryText;
    QRgb disabledText;
    QRgb toolTipBase;
};

QPalette paletteFrom(const Roles& roles, const QColor& accent)
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::All, role, color);
    };
    set(QPalette::Window, roles.window);
    set(QPalette::WindowText, roles.windowText);
    set(QPalette::Base, roles.base);
    set(QPalette::AlternateBase, roles.alternateBase);
    set(QPalette::Text, roles.text);
    set(QPalette::Button, roles.button);
    set(QPalette::ButtonText, roles.windowText);
    set(QPalette::BrightText, Qt::white);
    set(QPalette::Light, roles.light);
    set(QPalette::Midlight, roles.midlight);
    set(QPalette::Mid, roles.mid);
    set(QPalette::Dark, roles.dark);
    set(QPalette::Shadow, roles.shadow);
    set(QPalette::PlaceholderText, roles.secondaryText);
    set(QPalette::ToolTipBase, roles.toolTipBase);
    set(QPalette::ToolTipText, roles.windowText);
    set(QPalette::Highlight, accent);
    set(QPalette::HighlightedText, Qt::white);
    set(QPalette::Link, accent);
    set(QPalette::LinkVisited, accent.darker(120));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
             QPalette::ToolTipText, QPalette::HighlightedText})
        palette.setColor(QPalette::Disabled, role, roles.disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, roles.mid);
    // An inactive window keeps its selection visible, only calmer.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, accent.lighter(110));
    return palette;
}

} // namespace

QPalette lightPalette(const QColor& accent)
{
    return paletteFrom(Roles {.window = 0xececee,
                           .windowText = 0x1d1d1f,
                           .base = 0xffffff,
                           .alternateBase = 0xf4f4f6,
                           .text = 0x1d1d1f,
                           .button = 0xf6f6f7,
                           .light = 0xffffff,
                           .midlight = 0xe2e2e5,
                           .mid = 0xc6c6ca,
                           .dark = 0xa1a1a6,
                           .shadow = 0x6e6e73,
                           .secondaryText = 0x86868b,
                           .disabledText = 0xa8a8ad,
                           .toolTipBase = 0xfbfbfc},
        accent);
}

QPalette darkPalette(const QColor& accent)
{
    return paletteFrom(Roles {.window = 0x2a2a2d,
                           .windowText = 0xe8e8ea,
                           .base = 0x1e1e20,
                           .alternateBase = 0x313134,
                           .text = 0xe8e8ea,
                           .button = 0x3a3a3d,
                           .light = 0x505054,
                           .midlight = 0x434347,
                           .mid = 0x2f2f32,
                           .dark = 0x19191b,
                           .shadow = 0x000000,
                           .secondaryText = 0x98989d,
                           .disabledText = 0x6c6c70,
                           .toolTipBase = 0x3a3a3d},
        accent);
}

} // namespace mako
