#include "shellrun.h"

#include <QMessageBox>
#include <QPushButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(ErrorAlert, showsOneMessageAtATimeAndOkClearsIt)
{
    ShellRun run;
    run.state().setAlertMessage(u"Import failed: first"_s);
    auto* alert = qobject_cast<QMessageBox*>(visibleDialog(u"errorAlert"_s));
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), u"Error"_s);
    EXPECT_EQ(alert->text(), u"Import failed: first"_s);
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);

    // A new message replaces the one on screen instead of stacking a second alert.
    run.state().setAlertMessage(u"Import failed: second"_s);
    EXPECT_EQ(visibleDialog(u"errorAlert"_s), alert);
    EXPECT_EQ(alert->text(), u"Import failed: second"_s);

    QTest::mouseClick(alert->button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_EQ(run.state().alertMessage(), std::nullopt);
    EXPECT_EQ(visibleDialog(u"errorAlert"_s), nullptr);

    // The next message gets an alert again, even before the last one is deleted.
    run.state().setAlertMessage(u"third"_s);
    auto* next = qobject_cast<QMessageBox*>(visibleDialog(u"errorAlert"_s));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->text(), u"third"_s);
}

TEST(ErrorAlert, aMessageClearedElsewhereClosesTheAlert)
{
    ShellRun run;
    run.state().setAlertMessage(u"boom"_s);
    ASSERT_NE(visibleDialog(u"errorAlert"_s), nullptr);
    run.state().setAlertMessage(std::nullopt);
    EXPECT_EQ(visibleDialog(u"errorAlert"_s), nullptr);
}
