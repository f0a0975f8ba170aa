#include "ui/common/icons.h"

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(Icons, everySymbolOfTheWindowResolvesInBothBreezeThemes)
{
    for (const auto& [theme, dark] :
        {std::pair {icons::IconTheme::Light, false}, std::pair {icons::IconTheme::Dark, true},
            std::pair {icons::IconTheme::Desktop, false}}) {
        icons::useIconTheme(theme, dark);
        for (const icons::Symbol& symbol : icons::symbols()) {
            EXPECT_FALSE(icons::icon(symbol.name).isNull())
                << symbol.name.toString().toStdString() << " in "
                << QIcon::themeName().toStdString();
        }
    }
    EXPECT_TRUE(icons::icon(u"no.such.symbol").isNull());
}
