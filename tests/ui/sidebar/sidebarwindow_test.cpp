#include "shellrun.h"
#include "ui/sidebar/sidebar.h"

#include <QApplication>
#include <QLineEdit>
#include <QSplitter>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(SidebarWindow, startsAtThePreferredWidthAndFindTakesItsSearchField)
{
    for (const auto& [preference, width] : {std::pair {320.0, 320}, std::pair {900.0, 360}}) {
        ShellRun run({}, {{u"sidebarWidth"_s, preference}});
        EXPECT_TRUE(run.window().findChild<Sidebar*>(u"sidebar"_s));
        EXPECT_EQ(run.find<QSplitter>(u"mainSplitter"_s)->sizes().constFirst(), width);
        ASSERT_TRUE(run.activate());
        QTest::keyClick(&run.window(), Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), run.find<QLineEdit>(u"sidebarSearchField"_s));
    }
}
