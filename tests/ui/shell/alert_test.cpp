#include "shellrun.h"
#include "windowtesting.h"

#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(ErrorAlert, showsOneMessageAtATimeAndOkOrAClearElsewhereClosesIt)
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
    // A message cleared elsewhere closes the alert.
    run.state().setAlertMessage(std::nullopt);
    EXPECT_EQ(visibleDialog(u"errorAlert"_s), nullptr);
}

TEST(ImportReport, aPostmanImportIsReportedAsASuccessWithWhatWasLeftOutCountedByKind)
{
    ShellRun run;
    run.dialogs->answer = testDataFile(u"postman/payments-api.postman_collection.json"_s);
    QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
    run.action(u"importPostmanCollectionAction"_s)->trigger();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(visibleDialog(u"errorAlert"_s), nullptr);
    auto* report = qobject_cast<QMessageBox*>(visibleDialog(u"importReport"_s));
    ASSERT_NE(report, nullptr);
    EXPECT_NE(report->windowTitle(), u"Error"_s);
    EXPECT_EQ(report->icon(), QMessageBox::Information);
    EXPECT_EQ(
        report->accessibleName(), u"Imported \u201cPayments API\u201d: 11 requests in 2 folders"_s);
    EXPECT_TRUE(report->text().contains(u"11 requests in 2 folders"_s));
    // Counted by kind, each in its own number.
    EXPECT_EQ(report->informativeText(),
        u"Left out: 1 authorisation setting, 2 files, 1 disabled row, 1 form field content "
        "type."_s);

    // Every line is there, behind the details button rather than growing the alert.
    auto* details = report->findChild<QTextEdit*>();
    ASSERT_NE(details, nullptr);
    EXPECT_FALSE(details->isVisible());
    QAbstractButton* showDetails = nullptr;
    for (QAbstractButton* button : report->buttons()) {
        if (report->buttonRole(button) == QMessageBox::ActionRole)
            showDetails = button;
    }
    click(showDetails);
    EXPECT_TRUE(details->isVisible());
    const QStringList lines = details->toPlainText().split(u'\n');
    EXPECT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines.contains(u"Upload statement: binary file body dropped"_s));

    click(report->button(QMessageBox::Ok));
    EXPECT_EQ(run.state().importReport(), std::nullopt);
    EXPECT_EQ(visibleDialog(u"importReport"_s), nullptr);
}

// The same command takes an OpenAPI document, and counts the parts of it Mako has no place for.
TEST(ImportReport, anOpenAPIImportCountsThePartsLeftOut)
{
    ShellRun run;
    run.dialogs->answer = testDataFile(u"openapi/bookshelf-3.0.yaml"_s);
    QSignalSpy finished(&run.state(), &AppState::fileOperationFinished);
    run.action(u"importPostmanCollectionAction"_s)->trigger();
    ASSERT_TRUE(finished.wait(20000));
    auto* report = qobject_cast<QMessageBox*>(visibleDialog(u"importReport"_s));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(
        report->accessibleName(), u"Imported \u201cBookshelf API\u201d: 7 requests in 2 folders"_s);
    // The new kind's English plural comes with the catalogue; the count is what matters here.
    EXPECT_TRUE(report->informativeText().startsWith(
        u"Left out: 1 authorisation setting, 1 file, 2 disabled rows, 3 other part"_s))
        << report->informativeText().toStdString();
    click(report->button(QMessageBox::Ok));
}
