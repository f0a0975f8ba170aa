#include "shellrun.h"

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct Sheet {
    QDialog* dialog = nullptr;
    QPlainTextEdit* text = nullptr;
    QPushButton* import = nullptr;
    QLabel* error = nullptr;
};

Sheet openSheet(ShellRun& run)
{
    run.action(u"importCurlAction"_s)->trigger();
    Sheet sheet;
    sheet.dialog = qobject_cast<QDialog*>(visibleDialog(u"curlImportSheet"_s));
    if (!sheet.dialog)
        return sheet;
    sheet.text = sheet.dialog->findChild<QPlainTextEdit*>(u"curlText"_s);
    sheet.import = sheet.dialog->findChild<QPushButton*>(u"importButton"_s);
    sheet.error = sheet.dialog->findChild<QLabel*>(u"curlError"_s);
    return sheet;
}

} // namespace

TEST(CurlImportSheet, importOpensTheParsedRequestInANewTab)
{
    ShellRun run;
    run.state().openNewRequest();
    Sheet sheet = openSheet(run);
    ASSERT_NE(sheet.dialog, nullptr);
    EXPECT_EQ(sheet.dialog->windowModality(), Qt::WindowModal);
    EXPECT_FALSE(sheet.import->isEnabled());
    sheet.text->setPlainText(u" \n\t"_s);
    EXPECT_FALSE(sheet.import->isEnabled());

    sheet.text->setPlainText(
        u"curl -X PUT 'https://api.example.test/items/7?x=1' \\\n  -H 'Accept: text/plain'"_s);
    QTest::mouseClick(sheet.import, Qt::LeftButton);
    EXPECT_FALSE(sheet.dialog->isVisible());
    ASSERT_EQ(run.state().tabs().size(), 2);
    const APIRequest& open = *run.state().openRequest();
    EXPECT_EQ(open.method, HTTPMethod::put);
    EXPECT_EQ(open.url, u"https://api.example.test/items/7?x=1"_s);
    EXPECT_EQ(run.state().tabs()[1].request, open);
    EXPECT_EQ(run.state().activeTabID(), run.state().tabs()[1].id);
    EXPECT_EQ(run.state().alertMessage(), std::nullopt);
}

TEST(CurlImportSheet, unreadableCommandsKeepTheSheetOpenWithTheReason)
{
    const struct {
        QString command;
        QString error;
    } cases[] {
        {u"wget https://example.test"_s, u"Could not parse cURL command."_s},
        {u"curl 'https://example.test"_s, u"Could not parse cURL command."_s},
        // The window has no working folder to read a named file from.
        {u"curl -d @body.json https://example.test"_s, u"body.json"_s},
    };
    ShellRun run;
    Sheet sheet = openSheet(run);
    ASSERT_NE(sheet.dialog, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.toStdString());
        sheet.text->setPlainText(c.command);
        QTest::mouseClick(sheet.import, Qt::LeftButton);
        EXPECT_TRUE(sheet.dialog->isVisible());
        EXPECT_TRUE(sheet.error->isVisible());
        EXPECT_TRUE(sheet.error->text().contains(c.error)) << sheet.error->text().toStdString();
        EXPECT_TRUE(run.state().tabs().isEmpty());
    }
    QTest::keyClick(sheet.text, Qt::Key_Escape);
    EXPECT_FALSE(sheet.dialog->isVisible());
}

TEST(CurlImportSheet, whatTheRequestCannotHoldIsToldAfterTheImport)
{
    ShellRun run;
    Sheet sheet = openSheet(run);
    ASSERT_NE(sheet.dialog, nullptr);
    sheet.text->setPlainText(u"curl --anyauth -u ann:pw https://example.test"_s);
    QTest::mouseClick(sheet.import, Qt::LeftButton);
    ASSERT_EQ(run.state().tabs().size(), 1);
    ASSERT_TRUE(run.state().alertMessage().has_value());
    EXPECT_TRUE(run.state().alertMessage()->contains(u"--anyauth"_s));
    EXPECT_NE(visibleDialog(u"errorAlert"_s), nullptr);
}

TEST(CurlImportSheet, welcomePasteCurlOpensTheSheetOnce)
{
    ShellRun run;
    QTest::mouseClick(run.find(u"quickActionPasteCurl"_s), Qt::LeftButton);
    QWidget* sheet = visibleDialog(u"curlImportSheet"_s);
    ASSERT_NE(sheet, nullptr);
    // Asking again brings the open sheet forward rather than stacking another.
    run.action(u"importCurlAction"_s)->trigger();
    int open = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        open += widget->objectName() == u"curlImportSheet"_s && widget->isVisible();
    EXPECT_EQ(open, 1);
}
