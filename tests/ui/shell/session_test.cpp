#include "shellrun.h"
#include "ui/shell/detailarea.h"
#include "windowtesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabBar>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// The screen in front shows its own URL field; the others are hidden.
QLineEdit* shownURLField(const ShellRun& run)
{
    for (auto* field : run.window().findChildren<QLineEdit*>(u"urlField"_s)) {
        if (field->isVisible())
            return field;
    }
    ADD_FAILURE() << "no URL field on screen";
    return nullptr;
}

bool showsUnsavedMark(QTabBar* tabs, int index)
{
    return !tabs->tabButton(index, QTabBar::LeftSide)
                ->findChild<QLabel*>(u"tabUnsavedMark"_s)
                ->isHidden();
}

} // namespace

TEST(SessionWindow, aRestartReopensTheTabsAsTheUserLeftThem)
{
    TempAppFolder folder;
    {
        ShellRun run(
            {{PersistenceService::kCollectionsFile, encodeRecords(QList {kAPICollection})}}, {},
            &folder);
        run.state().openFromCollection(kViewerQuery, kAPICollection.id);
        run.state().openFromCollection(kUsersRequest, kAPICollection.id);
        QLineEdit* url = shownURLField(run);
        ASSERT_TRUE(url);
        url->setFocus();
        url->end(false);
        QTest::keyClicks(url, u"?page=2"_s);
    }

    ShellRun again({}, {}, &folder);
    auto* tabs = again.find<QTabBar>(u"requestTabs"_s);
    EXPECT_EVENTUALLY_EQ(tabs->count(), 2);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), u"Viewer"_s);
    EXPECT_EQ(tabs->tabText(1), u"Users"_s);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(showsUnsavedMark(tabs, 1));
    EXPECT_FALSE(showsUnsavedMark(tabs, 0));
    EXPECT_EQ(shownURLField(again)->text(), u"https://api.test/users?page=2"_s);

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(again.window().detailArea()->currentScreen()->objectName(), u"graphqlScreen"_s);
    EXPECT_EQ(
        again.find<QPlainTextEdit>(u"queryEditor"_s)->toPlainText(), kViewerQuery.graphqlQuery);
}

TEST(SessionWindow, aDamagedSessionIsReportedAndTheWindowStartsWithoutTabs)
{
    ShellRun run({{PersistenceService::kSessionFile, "[{\"id\": "}});
    auto* alert = qobject_cast<QMessageBox*>(visibleDialog(u"errorAlert"_s));
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->text().contains(u"session.json.unreadable-"_s))
        << alert->text().toStdString();
    EXPECT_EQ(run.find<QTabBar>(u"requestTabs"_s)->count(), 0);
    EXPECT_EQ(run.window().detailArea()->currentScreen()->objectName(), u"welcomeView"_s);
    // Replaced once kept aside, so that the next start does not report it again.
    EXPECT_EVENTUALLY_EQ(run.folder.read(PersistenceService::kSessionFile), QByteArray("[]"));
}
