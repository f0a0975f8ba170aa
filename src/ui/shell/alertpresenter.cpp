#include "ui/shell/alertpresenter.h"

#include "state/appstate.h"

#include <QMap>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

using LeftOutKind = PostmanImporter::LeftOutKind;

QString countText(LeftOutKind kind, int count)
{
    switch (kind) {
    case LeftOutKind::otherScript:
        return AlertPresenter::tr("%n other script(s)", nullptr, count);
    case LeftOutKind::unsupportedMethod:
        return AlertPresenter::tr("%n request(s) with unsupported method(s)", nullptr, count);
    case LeftOutKind::authorisation:
        return AlertPresenter::tr("%n authorisation setting(s)", nullptr, count);
    case LeftOutKind::file:
        return AlertPresenter::tr("%n file(s)", nullptr, count);
    case LeftOutKind::disabledRow:
        return AlertPresenter::tr("%n disabled row(s)", nullptr, count);
    case LeftOutKind::fieldContentType:
        return AlertPresenter::tr("%n form field content type(s)", nullptr, count);
    case LeftOutKind::otherPart:
        return AlertPresenter::tr("%n other part(s) of the document", nullptr, count);
    }
    return {};
}

QString reportTitle(const AppState::ImportReport& report)
{
    const QString requests = AlertPresenter::tr("%n request(s)", nullptr, report.requestCount);
    const QString contents = report.folderCount > 0
        ? AlertPresenter::tr("%1 in %n folder(s)", nullptr, report.folderCount).arg(requests)
        : requests;
    return AlertPresenter::tr("Imported \u201c%1\u201d: %2").arg(report.collectionName, contents);
}

// What was left out, counted by kind, in the order of the kinds.
QString leftOutSummary(const AppState::ImportReport& report)
{
    if (report.leftOutKinds.isEmpty())
        return {};
    QMap<LeftOutKind, int> counts;
    for (LeftOutKind kind : report.leftOutKinds)
        ++counts[kind];
    QStringList parts;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count)
        parts.append(countText(count.key(), count.value()));
    return AlertPresenter::tr("Left out: %1.").arg(parts.join(u", "_s));
}

} // namespace

AlertPresenter::AlertPresenter(AppState& state, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_window(window)
{
    connect(
        &m_state, &AppState::alertMessageChanged, this, &AlertPresenter::handleAlertMessageChanged);
    connect(
        &m_state, &AppState::importReportChanged, this, &AlertPresenter::handleImportReportChanged);
    connect(&m_state, &AppState::requestChangedOnDisk, this, &AlertPresenter::askAboutChangeOnDisk);
    handleAlertMessageChanged();
    handleImportReportChanged();
}

void AlertPresenter::askAboutChangeOnDisk(const QUuid& tabID, const QString& requestName)
{
    auto* box = new QMessageBox(QMessageBox::Question, tr("Changed on Disk"),
        tr("\u201c%1\u201d changed on disk").arg(requestName), QMessageBox::NoButton, m_window);
    box->setObjectName(u"changedOnDiskAlert"_s);
    box->setAccessibleName(tr("\u201c%1\u201d changed on disk").arg(requestName));
    box->setInformativeText(tr("Its tab holds edits that are not saved. Keep them, or take the "
                               "version in the file instead?"));
    QPushButton* keep = box->addButton(tr("Keep My Edits"), QMessageBox::RejectRole);
    keep->setObjectName(u"keepMyEditsButton"_s);
    QPushButton* useFile = box->addButton(tr("Use the File's Version"), QMessageBox::AcceptRole);
    useFile->setObjectName(u"useFileVersionButton"_s);
    // Nothing is lost by default: Return and Escape keep the edits.
    box->setDefaultButton(keep);
    box->setEscapeButton(keep);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(
        box, &QMessageBox::buttonClicked, this, [this, tabID, useFile](QAbstractButton* button) {
            m_state.resolveChangeOnDisk(tabID, button == useFile);
        });
    box->open();
}

void AlertPresenter::handleAlertMessageChanged()
{
    const std::optional<QString>& message = m_state.alertMessage();
    if (!message) {
        if (m_alert)
            m_alert->close();
        return;
    }
    if (m_alert) {
        m_alert->setText(*message);
        return;
    }
    m_alert
        = new QMessageBox(QMessageBox::Warning, tr("Error"), *message, QMessageBox::Ok, m_window);
    m_alert->setObjectName(u"errorAlert"_s);
    m_alert->setAccessibleName(tr("Error"));
    m_alert->setAttribute(Qt::WA_DeleteOnClose);
    m_alert->setWindowModality(Qt::WindowModal);
    // "OK", Escape and closing the alert all mean the user has seen the message. The alert is
    // let go of at once: a message that comes while it is being deleted needs an alert of its
    // own.
    connect(m_alert, &QMessageBox::finished, this, [this] {
        m_alert.clear();
        m_state.setAlertMessage(std::nullopt);
    });
    m_alert->open();
}

void AlertPresenter::handleImportReportChanged()
{
    const std::optional<AppState::ImportReport>& report = m_state.importReport();
    if (!report) {
        if (m_report)
            m_report->close();
        return;
    }
    const bool fresh = !m_report;
    if (fresh) {
        m_report = new QMessageBox(
            QMessageBox::Information, tr("Import Finished"), {}, QMessageBox::Ok, m_window);
        m_report->setObjectName(u"importReport"_s);
        m_report->setAttribute(Qt::WA_DeleteOnClose);
        m_report->setWindowModality(Qt::WindowModal);
        connect(m_report, &QMessageBox::finished, this, [this] {
            m_report.clear();
            m_state.setImportReport(std::nullopt);
        });
    }
    // In bold, as the title of what follows: the window's own title bar may not show at all.
    const QString title = reportTitle(*report);
    m_report->setTextFormat(Qt::RichText);
    m_report->setText(u"<b>"_s + title.toHtmlEscaped() + u"</b>"_s);
    m_report->setAccessibleName(title);
    m_report->setInformativeText(leftOutSummary(*report));
    // The list can be as long as the collection: it waits behind "Show Details...", where it
    // scrolls, instead of growing the alert past the screen.
    m_report->setDetailedText(report->leftOut.join(u'\n'));
    if (fresh)
        m_report->open();
}

} // namespace mako
