#include "ui/window/symbolicon.h"

#include <array>

namespace mako {

namespace {

struct SymbolIcon {
    QStringView symbol;
    QStringView themeIcon;
};

// The symbols these areas show, by their freedesktop names.
constexpr std::array kIcons {
    SymbolIcon {u"plus", u"list-add"},
    SymbolIcon {u"minus", u"list-remove"},
    SymbolIcon {u"xmark", u"window-close"},
    SymbolIcon {u"xmark.circle.fill", u"edit-clear"},
    SymbolIcon {u"gearshape", u"configure"},
    SymbolIcon {u"magnifyingglass", u"edit-find"},
    SymbolIcon {u"folder", u"folder"},
    SymbolIcon {u"folder.badge.plus", u"folder-new"},
    SymbolIcon {u"list.bullet", u"view-list-details"},
    SymbolIcon {u"globe", u"applications-internet"},
};

} // namespace

QIcon symbolIcon(QStringView symbolName)
{
    for (const SymbolIcon& icon : kIcons) {
        if (icon.symbol == symbolName)
            return QIcon::fromTheme(icon.themeIcon.toString());
    }
    return {};
}

} // namespace mako
