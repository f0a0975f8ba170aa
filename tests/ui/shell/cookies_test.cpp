#include "execution/cookiejar.h"
#include "execution/networkservice.h"
#include "shellrun.h"
#include "support/httptestserver.h"
#include "windowtesting.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

CookieJar& jar()
{
    return NetworkService::shared().engine().cookies();
}

QNetworkCookie cookie(const QByteArray& name, const QString& domain, const QString& path = u"/"_s)
{
    QNetworkCookie made(name, "v-" + name);
    made.setDomain(domain);
    made.setPath(path);
    return made;
}

// The jar as "name=value@domain" lines, in the jar's order.
QStringList contents()
{
    QStringList lines;
    for (const QNetworkCookie& each : jar().all())
        lines.append(QString::fromUtf8(each.name() + '=' + each.value()) + u'@' + each.domain());
    return lines;
}

// The tree as the user reads it: a domain line, then "  name value path" for its cookies.
QStringList treeLines(const QTreeWidget* tree)
{
    QStringList lines;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* domain = tree->topLevelItem(i);
        lines.append(domain->text(0));
        for (int j = 0; j < domain->childCount(); ++j)
            lines.append(u"  "_s + domain->child(j)->text(0) + u' ' + domain->child(j)->text(1)
                + u' ' + domain->child(j)->text(2));
    }
    return lines;
}

// Clicks `button` of the sheet, and when a confirmation comes, answers it.
void press(QWidget* sheet, const QString& button, std::optional<bool> confirm = std::nullopt)
{
    click(child<QPushButton>(sheet, button));
    if (!confirm)
        return;
    QMessageBox* box = nullptr;
    EXPECT_EVENTUALLY(
        (box = qobject_cast<QMessageBox*>(visibleDialog(u"deleteConfirmation"_s))) != nullptr);
    if (box)
        click(*confirm ? child<QPushButton>(box, u"confirmDeleteButton"_s)
                       : box->button(QMessageBox::Cancel));
}

struct CookiesRun : ShellRun {
    CookiesRun()
    {
        jar().clear();
        for (const QNetworkCookie& each : {cookie("a", u".shop.test"_s),
                 cookie("b", u"shop.test"_s, u"/cart"_s), cookie("c", u"api.test"_s)})
            EXPECT_TRUE(jar().insert(each));
    }
    ~CookiesRun() { jar().clear(); }

    QWidget* openSheet()
    {
        action(u"cookiesAction"_s)->trigger();
        QWidget* sheet = nullptr;
        EXPECT_EVENTUALLY((sheet = visibleDialog(u"cookiesSheet"_s)) != nullptr);
        return sheet;
    }
    // Moves the tree's current row with the arrow keys to the line that reads `line`.
    void select(QTreeWidget* tree, const QString& line)
    {
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Home);
        for (int step = 0; step < 12 && tree->currentItem()->text(0) != line; ++step)
            QTest::keyClick(tree, Qt::Key_Down);
        ASSERT_EQ(tree->currentItem()->text(0), line);
    }
};

} // namespace

TEST(CookiesSheet, addEditDeleteAndClearReachTheJarAskingFirst)
{
    CookiesRun run;
    ASSERT_TRUE(run.activate());
    QWidget* sheet = run.openSheet();
    ASSERT_TRUE(sheet);
    auto* tree = child<QTreeWidget>(sheet, u"cookieTree"_s);
    EXPECT_EQ(treeLines(tree),
        QStringList(
            {u"api.test"_s, u"  c v-c /"_s, u"shop.test"_s, u"  a v-a /"_s, u"  b v-b /cart"_s}));

    // Edit: the new value replaces the old; Add: the selected row's domain is offered.
    run.select(tree, u"a"_s);
    press(sheet, u"editCookieButton"_s);
    QWidget* editor = nullptr;
    EXPECT_EVENTUALLY((editor = visibleDialog(u"cookieEditorSheet"_s)) != nullptr);
    ASSERT_TRUE(editor);
    auto* value = child<QLineEdit>(editor, u"cookieValueField"_s);
    value->selectAll();
    QTest::keyClicks(value, u"edited"_s);
    click(child<QPushButton>(editor, u"saveCookieButton"_s));
    press(sheet, u"addCookieButton"_s);
    EXPECT_EVENTUALLY((editor = visibleDialog(u"cookieEditorSheet"_s)) != nullptr);
    ASSERT_TRUE(editor);
    EXPECT_EQ(child<QLineEdit>(editor, u"cookieDomainField"_s)->text(), u"shop.test"_s);
    QTest::keyClicks(child<QLineEdit>(editor, u"cookieNameField"_s), u"new"_s);
    QTest::keyClicks(child<QLineEdit>(editor, u"cookieValueField"_s), u"1"_s);
    click(child<QPushButton>(editor, u"saveCookieButton"_s));
    EXPECT_EQ(contents(),
        QStringList({u"c=v-c@api.test"_s, u"a=edited@.shop.test"_s, u"new=1@shop.test"_s,
            u"b=v-b@shop.test"_s}));
    EXPECT_EVENTUALLY_EQ(treeLines(tree).size(), 6);

    // Each removal asks first; a cancel keeps everything.
    run.select(tree, u"c"_s);
    press(sheet, u"deleteCookieButton"_s, false);
    EXPECT_EQ(contents().size(), 4);
    press(sheet, u"deleteCookieButton"_s, true);
    EXPECT_EQ(contents().size(), 3);
    EXPECT_EVENTUALLY_EQ(treeLines(tree).first(), u"shop.test"_s);
    run.select(tree, u"shop.test"_s);
    press(sheet, u"clearDomainButton"_s, true);
    EXPECT_TRUE(contents().isEmpty());

    // Without the preference nothing asks.
    run.app->settings().setValue(SettingKeys::confirmBeforeDelete, false);
    ASSERT_TRUE(jar().insert(cookie("d", u"x.test"_s)));
    EXPECT_EVENTUALLY_EQ(treeLines(tree), QStringList({u"x.test"_s, u"  d v-d /"_s}));
    press(sheet, u"clearAllCookiesButton"_s);
    EXPECT_TRUE(contents().isEmpty());
    EXPECT_FALSE(visibleDialog(u"deleteConfirmation"_s));
}

// The line under the URL names the cookies that go with the request, and follows the jar; the
// response's Cookies tab opens the manager, which lists what the reply set.
TEST(CookiesSheet, urlLineShowsTheCookiesSentAndTheResponseOpensTheManager)
{
    CookiesRun run;
    ASSERT_TRUE(run.activate());
    run.state().openNewRequest();
    QWidget* screen = run.find(u"httpScreen"_s);
    auto* url = child<QLineEdit>(screen, u"urlField"_s);
    auto* line = child<QLabel>(screen, u"urlCookies"_s);
    QTest::keyClicks(url, u"http://shop.test/cart/1"_s);
    EXPECT_EQ(line->text(), u"Cookies: b, a"_s);
    EXPECT_TRUE(line->isVisible());
    jar().remove(cookie("b", u"shop.test"_s, u"/cart"_s));
    EXPECT_EVENTUALLY_EQ(line->text(), u"Cookies: a"_s);
    url->selectAll();
    QTest::keyClicks(url, u"http://elsewhere.test/"_s);
    EXPECT_FALSE(line->isVisible());

    HttpTestServer server;
    server.setHandler([](const RecordedRequest&) {
        return ScriptedResponse {.headers = {{"Set-Cookie", "sid=42; HttpOnly; SameSite=Lax"}}};
    });
    url->selectAll();
    QTest::keyClicks(url, server.baseUrl() + u"/login"_s);
    QTest::keyClick(url, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EVENTUALLY_EQ(run.state().tabStore().activeTab()->responseHistory.size(), 1);
    EXPECT_EVENTUALLY_EQ(line->text(), u"Cookies: sid"_s);
    click(child<QToolButton>(screen, u"responseTabCookies"_s));
    click(child<QPushButton>(screen, u"manageCookiesButton"_s));
    QWidget* sheet = nullptr;
    EXPECT_EVENTUALLY((sheet = visibleDialog(u"cookiesSheet"_s)) != nullptr);
    ASSERT_TRUE(sheet);
    const QTreeWidget* tree = child<QTreeWidget>(sheet, u"cookieTree"_s);
    const QList<QTreeWidgetItem*> found = tree->findItems(u"sid"_s, Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first()->parent()->text(0), u"127.0.0.1"_s);
    EXPECT_EQ(found.first()->text(4), u"HttpOnly, SameSite=Lax"_s);
}

// The window's preference decides whether the jar reaches the data folder.
TEST(CookiesSheet, keepCookiesPreferenceWritesOrRemovesTheFile)
{
    CookiesRun run;
    ASSERT_TRUE(run.activate());
    QNetworkCookie lasting = cookie("kept", u"shop.test"_s);
    lasting.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(3));
    ASSERT_TRUE(jar().insert(lasting));
    EXPECT_EVENTUALLY(run.folder.read(u"cookies.txt"_s).contains("\tkept\tv-kept"));

    run.app->openPreferences();
    QCheckBox* toggle = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* found = window->findChild<QCheckBox*>(u"keepCookiesToggle"_s))
            toggle = found;
    ASSERT_TRUE(toggle);
    auto* tabs = toggle->window()->findChild<QTabWidget*>();
    for (int index = 0; tabs && index < tabs->count(); ++index)
        if (tabs->widget(index)->isAncestorOf(toggle))
            tabs->setCurrentIndex(index);
    ASSERT_TRUE(toggle->isChecked());
    click(toggle);
    EXPECT_EVENTUALLY(!run.folder.fileNames().contains(u"cookies.txt"_s));
    click(toggle);
    EXPECT_EVENTUALLY(run.folder.read(u"cookies.txt"_s).contains("\tkept\tv-kept"));
}
