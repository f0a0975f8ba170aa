#include "ui/shell/environmenteditorsheet.h"

#include "state/appstate.h"
#include "state/collectionstore.h"
#include "state/environmentlistmodel.h"
#include "state/foldercollections.h"
#include "state/secretstore.h"
#include "state/variablesmodel.h"
#include "ui/common/icons.h"
#include "ui/common/symbolbutton.h"
#include "ui/editor/keyvalueeditor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

static_assert(int(VariablesModel::EnabledColumn) == KeyValueModel::EnabledColumn
    && int(VariablesModel::KeyColumn) == KeyValueModel::KeyColumn
    && int(VariablesModel::ValueColumn) == KeyValueModel::ValueColumn
    && int(VariablesModel::SecretColumn) == KeyValueModel::RemoveColumn);

// The variable rows in the key/value editor's columns: the state's table plus the remove
// column, with the same names for assistive tools as a request's rows, and the secret toggle
// after them (shown before the remove column).
class VariableRowsModel : public VariablesModel {
public:
    using VariablesModel::VariablesModel;

    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : KeyValueEditor::kSecretColumn + 1;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (index.column() == KeyValueEditor::kSecretColumn) {
            if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
                return EnvironmentEditorSheet::tr("Secret");
            return VariablesModel::data(secretIndex(index), role);
        }
        const bool remove = index.column() == KeyValueModel::RemoveColumn;
        if (role == Qt::AccessibleTextRole || (remove && role == Qt::ToolTipRole)) {
            const KeyValueModel::Column column = KeyValueModel::Column(index.column());
            if (column == KeyValueModel::EnabledColumn || remove)
                return remove ? KeyValueModel::tr("Remove") : KeyValueModel::tr("Enabled");
            const QString text = VariablesModel::data(index, Qt::AccessibleTextRole).toString();
            if (!text.isEmpty())
                return text;
            return column == KeyValueModel::KeyColumn ? KeyValueModel::tr("Key")
                                                      : KeyValueModel::tr("Value");
        }
        return remove ? QVariant() : VariablesModel::data(index, role);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (index.column() == KeyValueModel::RemoveColumn)
            return false;
        return VariablesModel::setData(
            index.column() == KeyValueEditor::kSecretColumn ? secretIndex(index) : index, value,
            role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (index.column() == KeyValueModel::RemoveColumn)
            return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
        if (index.column() == KeyValueEditor::kSecretColumn)
            return VariablesModel::flags(secretIndex(index));
        return VariablesModel::flags(index);
    }

private:
    // The state's own column for the toggle, which the editor's remove column takes here.
    QModelIndex secretIndex(const QModelIndex& index) const
    {
        return this->index(index.row(), VariablesModel::SecretColumn);
    }
};

KeyValueEditor* makeVariablesEditor(AppState& state, const QString& objectName, QWidget* parent)
{
    auto* editor = new KeyValueEditor(
        EnvironmentEditorSheet::tr("Variables"), new VariableRowsModel(&state), {}, parent);
    editor->setObjectName(objectName);
    // Flush with the sheet's other fields; the request editor's margins are for its tabs.
    editor->layout()->setContentsMargins(0, 0, 0, 0);
    return editor;
}

} // namespace

EnvironmentEditorSheet::EnvironmentEditorSheet(AppState& state, QWidget* window)
    : QDialog(window)
    , m_state(state)
    , m_environments(new EnvironmentListModel(&state, this))
{
    setObjectName(u"environmentEditorSheet"_s);
    setWindowTitle(tr("Environments"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(680, 460);

    auto* title = new QLabel(tr("Environments"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title->setFont(titleFont);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(u"environmentEditorTabs"_s);
    tabs->addTab(buildEnvironmentsTab(), icons::icon(u"list.bullet"), tr("Environments"));
    tabs->addTab(buildGlobalsTab(), icons::icon(u"globe"), tr("Global Variables"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* done = buttons->addButton(tr("Done"), QDialogButtonBox::AcceptRole);
    done->setObjectName(u"doneButton"_s);
    done->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &EnvironmentEditorSheet::finish);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    connect(&m_state.environmentStore(), &EnvironmentStore::environmentChanged, this,
        &EnvironmentEditorSheet::handleEnvironmentChanged);
    for (const auto changed :
        {&EnvironmentStore::environmentsChanged, &EnvironmentStore::globalVariablesChanged})
        connect(
            &m_state.environmentStore(), changed, this, &EnvironmentEditorSheet::updateSecretNotes);
    connect(&m_state.secretVault(), &SecretVault::keptAcrossRunsChanged, this,
        &EnvironmentEditorSheet::updateSecretNotes);
    // The places follow the folder collections: opened, renamed, deleted, read at last.
    connect(&m_state.collectionStore(), &CollectionStore::collectionsChanged, this,
        &EnvironmentEditorSheet::updatePlaces);
    connect(&m_state.folderCollections(), &FolderCollections::loadFinished, this,
        &EnvironmentEditorSheet::updatePlaces);
    connect(&m_state.folderCollections(), &FolderCollections::operationFinished, this,
        &EnvironmentEditorSheet::updatePlaces);
    handleSelectionChanged();
}

QWidget* EnvironmentEditorSheet::buildEnvironmentsTab()
{
    auto* page = new QWidget;
    m_list = new QListView(page);
    m_list->setObjectName(u"environmentList"_s);
    m_list->setAccessibleName(tr("Environments"));
    m_list->setModel(m_environments);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);

    auto* add
        = makeSymbolButton(u"addEnvironmentButton"_s, u"plus", u"+"_s, tr("Add Environment"), page);
    m_remove = makeSymbolButton(
        u"removeEnvironmentButton"_s, u"minus", u"\u2212"_s, tr("Delete Environment"), page);
    connect(add, &QToolButton::clicked, this, &EnvironmentEditorSheet::addEnvironment);
    connect(m_remove, &QToolButton::clicked, this, &EnvironmentEditorSheet::deleteSelected);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &EnvironmentEditorSheet::handleSelectionChanged);
    // The selected environment may go without the sheet deleting it (a restored backup).
    connect(m_environments, &QAbstractItemModel::rowsRemoved, this,
        &EnvironmentEditorSheet::handleSelectionChanged);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(add);
    listButtons->addWidget(m_remove);
    listButtons->addStretch();
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(m_list);
    listColumn->addLayout(listButtons);

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(listColumn, 1);
    layout->addWidget(buildEnvironmentDetail(), 2);
    return page;
}

QWidget* EnvironmentEditorSheet::buildEnvironmentDetail()
{
    m_detail = new QStackedWidget;
    auto* placeholder = new QLabel(tr("Select an environment to edit"), m_detail);
    placeholder->setObjectName(u"noEnvironmentLabel"_s);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setForegroundRole(QPalette::PlaceholderText);
    m_detail->addWidget(placeholder);

    auto* editor = new QWidget(m_detail);
    m_name = new QLineEdit(editor);
    m_name->setObjectName(u"environmentNameField"_s);
    m_name->setAccessibleName(tr("Name"));
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& name) {
        if (m_selectedID)
            m_state.renameEnvironment(*m_selectedID, name);
    });
    m_place = new QComboBox(editor);
    m_place->setObjectName(u"environmentPlacePicker"_s);
    m_place->setAccessibleName(tr("Kept in:"));
    connect(m_place, &QComboBox::activated, this, &EnvironmentEditorSheet::movePlace);
    m_variables = makeVariablesEditor(m_state, u"environmentVariablesEditor"_s, editor);
    auto* form = new QFormLayout;
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Kept in:"), m_place);
    auto* layout = new QVBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(m_variables);
    m_detail->addWidget(editor);
    return m_detail;
}

QWidget* EnvironmentEditorSheet::buildGlobalsTab()
{
    auto* page = new QWidget;
    auto* text = new QLabel(tr("Global variables are available in all environments. Local "
                               "environment variables override globals with the same key."),
        page);
    text->setObjectName(u"globalVariablesText"_s);
    text->setWordWrap(true);
    m_globals = makeVariablesEditor(m_state, u"globalVariablesEditor"_s, page);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(text);
    layout->addWidget(m_globals);
    return page;
}

void EnvironmentEditorSheet::handleSelectionChanged()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    m_selectedID.reset();
    if (!selected.isEmpty())
        m_selectedID = selected.first().data(EnvironmentListModel::IDRole).toUuid();
    m_remove->setEnabled(m_selectedID.has_value());
    const APIEnvironment* environment
        = m_selectedID ? m_state.environmentStore().environment(*m_selectedID) : nullptr;
    m_detail->setCurrentIndex(environment ? 1 : 0);
    updateSecretNotes();
    if (!environment)
        return;
    m_name->setText(environment->name);
    updatePlaces();
    static_cast<VariablesModel*>(m_variables->model())->showEnvironment(m_selectedID);
}

void EnvironmentEditorSheet::updateSecretNotes()
{
    // Without a secret service a secret's value is in no file and nowhere else either: the
    // user should learn that before quitting, not after.
    const bool lasting = m_state.secretVault().isKeptAcrossRuns();
    const auto note = [lasting](KeyValueEditor* editor, const QList<KeyValuePair>* rows) {
        const bool secrets = rows && std::any_of(rows->cbegin(), rows->cend(), [](const auto& row) {
            return row.isSecret;
        });
        editor->setNote(lasting || !secrets ? QString()
                                            : tr("No secret service is available: secret values "
                                                 "are kept only until Mako quits."));
    };
    note(m_variables, m_selectedID ? m_state.environmentStore().variables(*m_selectedID) : nullptr);
    note(m_globals, &m_state.environmentStore().globalVariables());
}

void EnvironmentEditorSheet::updatePlaces()
{
    const APIEnvironment* environment
        = m_selectedID ? m_state.environmentStore().environment(*m_selectedID) : nullptr;
    if (!environment)
        return;
    const QSignalBlocker blocker(m_place);
    m_place->clear();
    m_place->addItem(tr("This Computer"), QUuid());
    for (const Collection& collection : m_state.collections()) {
        // Only a folder that has been read can take the environment; its own place is shown
        // whatever becomes of the folder.
        if (collection.folderPath.isEmpty()
            || (!m_state.folderCollections().isLoaded(collection.id)
                && collection.id != environment->collectionID))
            continue;
        m_place->addItem(tr("%1 (folder)").arg(collection.name), collection.id);
        if (collection.id == environment->collectionID)
            m_place->setCurrentIndex(m_place->count() - 1);
        m_place->setItemData(m_place->count() - 1, collection.folderPath, Qt::ToolTipRole);
    }
}

void EnvironmentEditorSheet::movePlace(int index)
{
    if (!m_selectedID)
        return;
    const QUuid collectionID = m_place->itemData(index).toUuid();
    m_state.setEnvironmentCollection(
        *m_selectedID, collectionID.isNull() ? std::nullopt : std::optional(collectionID));
    // Refused (the folder went meanwhile) or not: the picker shows where it is now.
    updatePlaces();
}

void EnvironmentEditorSheet::handleEnvironmentChanged(const QUuid& environmentID)
{
    // A rename in the list itself: the field follows, unless it is where the name came from.
    if (m_selectedID != environmentID)
        return;
    updatePlaces();
    if (const APIEnvironment* environment = m_state.environmentStore().environment(environmentID);
        environment && environment->name != m_name->text())
        m_name->setText(environment->name);
}

void EnvironmentEditorSheet::addEnvironment()
{
    int added = -1;
    const QMetaObject::Connection watch = connect(m_environments, &QAbstractItemModel::rowsInserted,
        this, [&added](const QModelIndex&, int first, int) { added = first; });
    m_state.addEnvironment(tr("New Environment"));
    disconnect(watch);
    if (added < 0)
        return;
    // The next thing a user does with a new environment is name it.
    m_list->setCurrentIndex(m_environments->index(added, 0));
    m_name->setFocus(Qt::OtherFocusReason);
    m_name->selectAll();
}

void EnvironmentEditorSheet::deleteSelected()
{
    if (!m_selectedID)
        return;
    m_state.deleteEnvironment(*m_selectedID);
    m_list->selectionModel()->clear();
    handleSelectionChanged();
}

void EnvironmentEditorSheet::finish()
{
    m_state.saveEnvironments();
    accept();
}

} // namespace mako
