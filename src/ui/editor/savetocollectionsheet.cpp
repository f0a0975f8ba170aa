#include "ui/editor/savetocollectionsheet.h"

#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/editor/collectionlistmodel.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

SaveToCollectionSheet::SaveToCollectionSheet(
    AppState& state, const APIRequest& request, QWidget* window)
    : QDialog(window)
    , m_state(state)
    , m_request(request)
    , m_collections(new CollectionListModel(state, this))
    , m_name(new QLineEdit(request.name, this))
    , m_list(new QListView(this))
    , m_content(new QStackedWidget(this))
    , m_newName(new QLineEdit(this))
{
    setObjectName(u"saveToCollectionSheet"_s);
    setWindowTitle(tr("Save to Collection"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(420, 380);

    auto* title = new QLabel(tr("Save to Collection"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);

    m_name->setObjectName(u"requestNameField"_s);
    m_name->setAccessibleName(tr("Request Name"));
    auto* form = new QFormLayout;
    form->addRow(tr("Request Name"), m_name);

    m_list->setObjectName(u"collectionList"_s);
    m_list->setAccessibleName(tr("Collections"));
    m_list->setModel(m_collections);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_content->addWidget(m_list);
    m_content->addWidget(buildEmptyState());

    m_newName->setObjectName(u"newCollectionNameField"_s);
    m_newName->setAccessibleName(tr("New Collection Name"));
    m_newName->hide();
    m_newName->installEventFilter(this);
    connect(
        m_newName, &QLineEdit::returnPressed, this, &SaveToCollectionSheet::finishNewCollection);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addWidget(m_content);
    layout->addWidget(m_newName);
    layout->addWidget(buildButtons());

    connect(m_list, &QListView::clicked, this, &SaveToCollectionSheet::saveInto);
    connect(m_list, &QListView::activated, this, &SaveToCollectionSheet::saveInto);
    connect(m_name, &QLineEdit::returnPressed, this,
        [this] { saveInto(m_list->selectionModel()->currentIndex()); });
    connect(m_collections, &QAbstractItemModel::rowsInserted, this,
        &SaveToCollectionSheet::showListOrEmptyState);
    connect(m_collections, &QAbstractItemModel::rowsRemoved, this,
        &SaveToCollectionSheet::showListOrEmptyState);
    showListOrEmptyState();
}

QWidget* SaveToCollectionSheet::buildButtons()
{
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(tr("New Collection"), QDialogButtonBox::ActionRole);
    add->setObjectName(u"newCollectionButton"_s);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setText(tr("Cancel"));
    // Return belongs to the list and the name field, not to whichever button has the focus.
    for (QPushButton* button : {add, cancel})
        button->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &SaveToCollectionSheet::addCollection);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

QWidget* SaveToCollectionSheet::buildEmptyState()
{
    auto* empty = new QWidget;
    auto* icon = new QLabel(empty);
    icon->setPixmap(icons::icon(u"folder.badge.plus").pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(tr("No collections yet."), empty);
    text->setObjectName(u"noCollectionsLabel"_s);
    text->setAlignment(Qt::AlignCenter);
    text->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(empty);
    layout->addStretch();
    layout->addWidget(icon);
    layout->addWidget(text);
    layout->addStretch();
    return empty;
}

void SaveToCollectionSheet::saveInto(const QModelIndex& collection)
{
    // A double click reports the row twice; the first one has saved and closed.
    if (m_saved || !collection.isValid())
        return;
    m_saved = true;
    const QUuid collectionID = collection.data(CollectionListModel::IDRole).toUuid();
    APIRequest copy = m_request;
    if (!m_name->text().isEmpty())
        copy.name = m_name->text();
    m_state.saveRequestToCollection(copy, collectionID);
    Q_EMIT saved(collectionID);
    accept();
}

void SaveToCollectionSheet::addCollection()
{
    // The name is asked for here, so that the user does not have to rename "New Collection"
    // later in the sidebar.
    m_newName->setText(tr("New Collection"));
    m_newName->show();
    m_newName->setFocus(Qt::OtherFocusReason);
    m_newName->selectAll();
}

void SaveToCollectionSheet::finishNewCollection()
{
    const QString name = m_newName->text().trimmed();
    if (name.isEmpty())
        return;
    m_newName->hide();
    m_state.addCollection(name);
    const QModelIndex added = m_collections->index(m_collections->rowCount() - 1);
    m_list->setCurrentIndex(added);
    m_list->setFocus();
}

bool SaveToCollectionSheet::eventFilter(QObject* watched, QEvent* event)
{
    // Escape in the name gives up the new collection, not the whole sheet.
    if (watched == m_newName && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_newName->hide();
        if (QWidget* add = findChild<QWidget*>(u"newCollectionButton"_s))
            add->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SaveToCollectionSheet::showListOrEmptyState()
{
    m_content->setCurrentIndex(m_collections->rowCount() > 0 ? 0 : 1);
}

} // namespace mako
