#include "ui/shell/variableseditor.h"

#include "state/variablesmodel.h"
#include "ui/common/symbolbutton.h"
#include "ui/common/tableview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QToolButton* makeRowButton(const QString& name, QStringView symbol, const QString& text,
    const QString& help, QWidget* parent)
{
    QToolButton* button = makeSymbolButton(name, symbol, text, help, parent);
    button->setAutoRaise(true);
    return button;
}

} // namespace

VariablesEditor::VariablesEditor(AppState& state, const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_model(new VariablesModel(&state, this))
    , m_table(new TableView(this))
    , m_add(makeRowButton(u"addVariableButton"_s, u"plus", u"+"_s, tr("Add Variable"), this))
    , m_remove(makeRowButton(
          u"removeVariableButton"_s, u"minus", u"\u2212"_s, tr("Remove Variable"), this))
{
    m_table->setObjectName(u"variablesTable"_s);
    m_table->setAccessibleName(title);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    m_table->verticalHeader()->hide();
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(VariablesModel::EnabledColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(VariablesModel::KeyColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(VariablesModel::ValueColumn, QHeaderView::Stretch);

    auto* titleLabel = new QLabel(title, this);
    titleLabel->setBuddy(m_table);
    auto* heading = new QHBoxLayout;
    heading->addWidget(titleLabel);
    heading->addStretch();
    heading->addWidget(m_add);
    heading->addWidget(m_remove);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(heading);
    layout->addWidget(m_table);

    connect(m_add, &QToolButton::clicked, this, &VariablesEditor::addRow);
    connect(m_remove, &QToolButton::clicked, this, &VariablesEditor::removeSelectedRows);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &VariablesEditor::updateRemoveButton);
    connect(m_model, &QAbstractItemModel::modelReset, this, &VariablesEditor::updateRemoveButton);
    updateRemoveButton();
}

void VariablesEditor::showEnvironment(const std::optional<QUuid>& environmentID)
{
    m_model->showEnvironment(environmentID);
}

void VariablesEditor::addRow()
{
    const int row = m_model->rowCount();
    if (!m_model->insertRows(row, 1))
        return;
    const QModelIndex key = m_model->index(row, VariablesModel::KeyColumn);
    m_table->setCurrentIndex(key);
    m_table->edit(key);
}

void VariablesEditor::removeSelectedRows()
{
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    // From the bottom up, so each row still sits where it was selected.
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows)
        m_model->removeRows(row, 1);
}

void VariablesEditor::updateRemoveButton()
{
    m_remove->setEnabled(m_table->selectionModel()->hasSelection());
}

} // namespace mako
