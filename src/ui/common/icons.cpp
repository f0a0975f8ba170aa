#include "ui/common/icons.h"

#include <QStandardPaths>
#include <QString>

#include <array>

using namespace Qt::StringLiterals;

namespace mako::icons {

namespace {

constexpr std::array kSymbols {
    // Requests and tabs
    Symbol {u"paperplane.fill", u"document-send"},
    Symbol {u"plus", u"list-add"},
    Symbol {u"minus", u"list-remove"},
    Symbol {u"xmark", u"window-close"},
    Symbol {u"xmark.circle.fill", u"edit-clear"},
    Symbol {u"checkmark", u"checkmark"},
    Symbol {u"circle", u"draw-circle"},
    Symbol {u"doc.badge.plus", u"document-new"},
    Symbol {u"doc.on.doc", u"edit-copy"},
    Symbol {u"doc.text", u"text-plain"},
    Symbol {u"square.and.arrow.down", u"document-save"},
    // The response viewer
    Symbol {u"paperplane", u"mail-send"},
    Symbol {u"arrow.down", u"download"},
    Symbol {u"chart.bar", u"office-chart-bar"},
    Symbol {u"tray", u"mail-folder-inbox"},
    // Protocols
    Symbol {u"globe", u"globe"},
    Symbol {u"arrow.triangle.branch", u"vcs-branch"},
    Symbol {u"arrow.left.arrow.right", u"network-connect"},
    Symbol {u"antenna.radiowaves.left.and.right", u"feed-subscribe"},
    // Import and export
    Symbol {u"terminal.fill", u"dialog-scripts"},
    Symbol {u"square.and.arrow.down.fill", u"document-import"},
    Symbol {u"square.and.arrow.up", u"document-export"},
    // Collections, environments, navigation
    Symbol {u"folder", u"folder"},
    Symbol {u"folder.fill", u"folder"},
    Symbol {u"folder.badge.plus", u"folder-new"},
    Symbol {u"folder.badge.gearshape", u"folder-development"},
    Symbol {u"list.bullet", u"view-list-details"},
    Symbol {u"gearshape", u"configure"},
    Symbol {u"magnifyingglass", u"edit-find"},
    Symbol {u"sidebar.left", u"sidebar-collapse-left"},
    Symbol {u"clock", u"clock"},
    Symbol {u"keyboard", u"input-keyboard"},
    Symbol {u"curlybraces", u"code-context"},
    // Sidebar: rows, context menus, the runner and the templates
    Symbol {u"play.fill", u"media-playback-start"},
    Symbol {u"play.circle", u"media-playback-start"},
    Symbol {u"pencil", u"document-edit"},
    Symbol {u"plus.square.on.square", u"edit-duplicate"},
    Symbol {u"trash", u"edit-delete"},
    Symbol {u"arrow.right.circle", u"go-next"},
    Symbol {u"arrow.down.circle", u"go-down"},
    Symbol {u"arrow.up.circle", u"go-up"},
    Symbol {u"lock.shield", u"security-high"},
    // Secret variables
    Symbol {u"lock.fill", u"object-locked"},
    Symbol {u"lock.open", u"object-unlocked"},
    Symbol {u"eye", u"password-show-on"},
    Symbol {u"eye.slash", u"password-show-off"},
    Symbol {u"doc.plaintext", u"text-x-generic"},
    Symbol {u"pencil.circle", u"document-edit"},
    Symbol {u"trash.circle", u"edit-delete"},
    Symbol {u"pencil.and.outline", u"draw-freehand"},
    Symbol {u"magnifyingglass.circle", u"system-search"},
    // Messages
    Symbol {u"exclamationmark.circle.fill", u"dialog-error"},
    Symbol {u"exclamationmark.triangle.fill", u"emblem-warning"},
    // Preferences
    Symbol {u"doc.plaintext", u"text-x-generic"},
    Symbol {u"network", u"network-wired"},
    Symbol {u"shield.lefthalf.filled", u"security-medium"},
    Symbol {u"externaldrive", u"drive-harddisk"},
    Symbol {u"info.circle", u"emblem-information"},
    Symbol {u"arrow.up.circle.fill", u"go-up"},
    Symbol {u"arrow.down.circle.fill", u"go-down"},
    Symbol {u"trash", u"edit-delete"},
    Symbol {u"clock.arrow.circlepath", u"document-open-recent"},
    // Application
    Symbol {u"questionmark.circle", u"help-contents"},
    Symbol {u"heart.fill", u"love"},
    Symbol {u"power", u"application-exit"},
};

const QString kBreeze = u"breeze"_s;
const QString kBreezeDark = u"breeze-dark"_s;

// The theme the desktop chose, read before the first change of ours.
const QString& desktopTheme()
{
    static const QString theme = QIcon::themeName();
    return theme;
}

// Some platforms (the offscreen one among them) do not look for icon themes in the usual
// folders of the data directories, so Breeze would not be found there.
void addDataDirectoriesToSearchPaths()
{
    QStringList paths = QIcon::themeSearchPaths();
    const QStringList iconFolders = QStandardPaths::locateAll(
        QStandardPaths::GenericDataLocation, u"icons"_s, QStandardPaths::LocateDirectory);
    for (const QString& folder : iconFolders) {
        if (!paths.contains(folder))
            paths.append(folder);
    }
    QIcon::setThemeSearchPaths(paths);
}

} // namespace

std::span<const Symbol> symbols()
{
    return kSymbols;
}

QIcon icon(QStringView symbolName)
{
    for (const Symbol& symbol : kSymbols) {
        if (symbol.name == symbolName)
            return QIcon::fromTheme(symbol.themeIcon.toString());
    }
    return {};
}

void useIconTheme(IconTheme theme, bool darkPalette)
{
    const QString& desktop = desktopTheme();
    addDataDirectoriesToSearchPaths();
    const QString& breeze = darkPalette ? kBreezeDark : kBreeze;
    QIcon::setFallbackThemeName(breeze);
    // Without a desktop theme (a bare X server, the offscreen platform) Breeze is the theme.
    const bool ownTheme
        = theme != IconTheme::Desktop || desktop.isEmpty() || desktop == u"hicolor"_s;
    QIcon::setThemeName(ownTheme ? breeze : desktop);
}

} // namespace mako::icons
