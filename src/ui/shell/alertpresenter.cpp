#include "ui/shell/alertpresenter.h"

#include "state/appstate.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace mako {

AlertPresenter::AlertPresenter(AppState& state, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_window(window)
{
    connect(
        &m_state, &AppState::alertMessageChanged, this, &AlertPresenter::handleAlertMessageChanged);
    handleAlertMessageChanged();
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

} // namespace mako
