#include "ui/shell/environmentselector.h"

#include "state/appstate.h"
#include "state/environmentlistmodel.h"
#include "ui/common/icons.h"
#include "ui/shell/environmenteditorsheet.h"

#include <QComboBox>
#include <QConcatenateTablesProxyModel>
#include <QHBoxLayout>
#include <QStandardItemModel>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace mako {

EnvironmentSelector::EnvironmentSelector(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_picker(new QComboBox(this))
    , m_environments(new EnvironmentListModel(&state, this))
    , m_manage(new QToolButton(this))
{
    setObjectName(u"environmentSelector"_s);

    // "No Environment" first, then the environments as the list model keeps them, row by row.
    auto* none = new QStandardItemModel(this);
    none->appendRow(new QStandardItem(tr("No Environment")));
    auto* entries = new QConcatenateTablesProxyModel(this);
    entries->addSourceModel(none);
    entries->addSourceModel(m_environments);

    m_picker->setObjectName(u"environmentPicker"_s);
    m_picker->setModel(entries);
    m_picker->setFixedWidth(kPickerWidth);
    m_picker->setToolTip(tr("Environment"));
    m_picker->setAccessibleName(tr("Environment"));
    m_picker->setAccessibleDescription(
        tr("The environment whose variables fill in the placeholders of the requests"));

    const QString manageHelp = tr("Manage Environments & Global Variables");
    m_manage->setObjectName(u"manageEnvironmentsButton"_s);
    m_manage->setIcon(icons::icon(u"gearshape"));
    m_manage->setText(tr("Manage"));
    m_manage->setToolTip(manageHelp);
    m_manage->setAccessibleName(manageHelp);
    m_manage->setAccessibleDescription(tr("Opens the editor of the environments and the global "
                                          "variables"));
    m_manage->setAutoRaise(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picker);
    layout->addWidget(m_manage);

    // `activated` comes from the user only, so showing the state's choice does not echo back.
    connect(m_picker, &QComboBox::activated, this, &EnvironmentSelector::handleActivated);
    connect(m_manage, &QToolButton::clicked, this, &EnvironmentSelector::openEditor);
    const EnvironmentStore& environments = m_state.environmentStore();
    connect(&environments, &EnvironmentStore::activeEnvironmentChanged, this,
        &EnvironmentSelector::showActiveEnvironment);
    // Rows coming and going can move the picker off the active entry.
    connect(&environments, &EnvironmentStore::environmentsChanged, this,
        &EnvironmentSelector::showActiveEnvironment);
    showActiveEnvironment();
}

EnvironmentEditorSheet* EnvironmentSelector::openEditor()
{
    auto* sheet = new EnvironmentEditorSheet(m_state, window());
    sheet->open();
    return sheet;
}

void EnvironmentSelector::showActiveEnvironment()
{
    const std::optional<APIEnvironment> active = m_state.activeEnvironment();
    // Row 0 is "No Environment", and -1 + 1 lands there too.
    m_picker->setCurrentIndex(active ? m_environments->rowOf(active->id) + 1 : 0);
}

void EnvironmentSelector::handleActivated(int index)
{
    if (index <= 0) {
        m_state.setActiveEnvironment(std::nullopt);
        return;
    }
    const QModelIndex row = m_environments->index(index - 1);
    if (row.isValid())
        m_state.setActiveEnvironment(row.data(EnvironmentListModel::IDRole).toUuid());
}

} // namespace mako
