#include "ui/common/colors.h"

#include <array>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

struct Shades {
    SystemColor color;
    QRgb light;
    QRgb dark;
    QStringView name;
};

// The dark shades are brighter, so that small text and thin strokes keep their contrast on a
// dark window.
constexpr std::array kShades {
    Shades {SystemColor::blue, 0x007aff, 0x0a84ff, u"blue"},
    Shades {SystemColor::purple, 0xaf52de, 0xbf5af2, u"purple"},
    Shades {SystemColor::pink, 0xff2d55, 0xff375f, u"pink"},
    Shades {SystemColor::red, 0xff3b30, 0xff453a, u"red"},
    Shades {SystemColor::orange, 0xff9500, 0xff9f0a, u"orange"},
    Shades {SystemColor::green, 0x28a745, 0x30d158, u"green"},
    Shades {SystemColor::teal, 0x30b0c7, 0x40c8e0, u"teal"},
    Shades {SystemColor::cyan, 0x32ade6, 0x64d2ff, u"cyan"},
    Shades {SystemColor::indigo, 0x5856d6, 0x5e5ce6, u"indigo"},
    Shades {SystemColor::grey, 0x8e8e93, 0x98989d, u"grey"},
};

static_assert(
    [] {
        for (std::size_t i = 0; i < kShades.size(); ++i) {
            if (static_cast<std::size_t>(kShades[i].color) != i)
                return false;
        }
        return true;
    }(),
    "kShades lists the colours in the order of SystemColor");

const Shades& shadesOf(SystemColor color)
{
    return kShades[static_cast<std::size_t>(color)];
}

} // namespace

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor systemColor(SystemColor color, const QPalette& palette)
{
    const Shades& shades = shadesOf(color);
    return QColor::fromRgb(isDark(palette) ? shades.dark : shades.light);
}

std::optional<SystemColor> accentColor(QStringView name)
{
    static constexpr std::array kAccents {SystemColor::blue, SystemColor::purple,
        SystemColor::indigo, SystemColor::teal, SystemColor::orange};
    for (SystemColor accent : kAccents) {
        if (shadesOf(accent).name == name)
            return accent;
    }
    return std::nullopt;
}

QColor blend(const QColor& background, const QColor& color, qreal opacity)
{
    const auto mix
        = [opacity](float under, float over) { return float(under + (over - under) * opacity); };
    return QColor::fromRgbF(mix(background.redF(), color.redF()),
        mix(background.greenF(), color.greenF()), mix(background.blueF(), color.blueF()));
}

} // namespace mako
