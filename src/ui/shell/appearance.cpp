#include "ui/shell/appearance.h"

#include "state/settings.h"
#include "ui/common/colors.h"
#include "ui/common/icons.h"
#include "ui/common/palettes.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kFusion = u"Fusion"_s;

void useStyle(const QString& name)
{
    if (QApplication::style()->name().compare(name, Qt::CaseInsensitive) != 0)
        QApplication::setStyle(name);
}

} // namespace

Appearance::Appearance(Settings& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_desktopStyle(QApplication::style()->name())
{
    connect(&m_settings, &Settings::valueChanged, this, &Appearance::handleValueChanged);
}

void Appearance::apply()
{
    const QString appearance = m_settings.value(SettingKeys::appearance);
    const bool dark = appearance == u"dark"_s;
    const SystemColor accent
        = accentColor(m_settings.value(SettingKeys::accentColorName)).value_or(SystemColor::blue);
    if (!dark && appearance != u"light"_s) {
        useStyle(m_desktopStyle);
        // An empty palette resolves to the desktop's (or the style's), and keeps following it;
        // only the roles the accent colours are set on top.
        QApplication::setPalette(QPalette());
        const bool desktopDark = isDark(QApplication::palette());
        const QColor color = systemColor(accent, QApplication::palette());
        QPalette accented;
        accented.setColor(QPalette::Highlight, color);
        accented.setColor(QPalette::Link, color);
        accented.setColor(QPalette::LinkVisited, color.darker(120));
        QApplication::setPalette(accented);
        icons::useIconTheme(icons::IconTheme::Desktop, desktopDark);
        return;
    }
    const QPalette palette = dark ? darkPalette(systemColor(accent, darkPalette(Qt::white)))
                                  : lightPalette(systemColor(accent, lightPalette(Qt::white)));
    useStyle(kFusion);
    QApplication::setPalette(palette);
    icons::useIconTheme(dark ? icons::IconTheme::Dark : icons::IconTheme::Light, dark);
}

void Appearance::handleValueChanged(const QString& key)
{
    if (key == SettingKeys::appearance.name || key == SettingKeys::accentColorName.name)
        apply();
}

} // namespace mako
