#include "ui/sidebar/collectionauthsheet.h"

#include "execution/networkservice.h"
#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "ui/common/sheettitle.h"
#include "ui/editor/autheditor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

APIRequest authOf(const Collection* collection)
{
    APIRequest request;
    if (collection)
        copyAuth(*collection, request);
    return request;
}

} // namespace

bool CollectionAuthSheet::canEdit(const AppState& state, QUuid collectionID)
{
    return state.collectionStore().collection(collectionID) != nullptr;
}

CollectionAuthSheet::CollectionAuthSheet(AppState& state, QUuid collectionID, QWidget* window)
    : QDialog(window)
    , m_state(state)
    , m_collectionID(collectionID)
    // Only for editing: nothing is sent from here.
    , m_edited(new RequestViewModel(authOf(state.collectionStore().collection(collectionID)),
          &NetworkService::shared(), this))
{
    setObjectName(u"collectionAuthSheet"_s);
    setWindowTitle(tr("Collection Auth"));
    setAccessibleName(tr("Collection Auth"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 600);

    const Collection* collection = state.collectionStore().collection(collectionID);
    auto* note = new QLabel(tr("The requests of “%1” whose auth is “Inherit from collection” "
                               "go with this one.")
                                .arg(collection ? collection->name : QString()));
    note->setObjectName(u"collectionAuthNote"_s);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);

    auto* editor = new AuthEditor(*m_edited, [&state] { return state.mergedEnvironment(); });
    editor->setObjectName(u"collectionAuthEditor"_s);
    editor->attach(state, AuthEditor::Owner::collection);
    // OAuth 2.0 has more fields than a small screen holds; the area scrolls, the fields take
    // the focus.
    auto* area = new QScrollArea;
    area->setObjectName(u"collectionAuthArea"_s);
    area->setWidget(editor);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    QPushButton* saveButton = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(u"saveCollectionAuthButton"_s);
    saveButton->setDefault(true);
    // Tab takes each button in turn (the box would otherwise hand its focus to the first only).
    buttons->setFocusProxy(nullptr);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(saveButton, &QPushButton::clicked, this, &CollectionAuthSheet::save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(tr("Collection Auth")));
    layout->addWidget(note);
    layout->addWidget(area, 1);
    layout->addWidget(buttons);

    connect(&state, &AppState::collectionsChanged, this, &CollectionAuthSheet::closeWhenGone);
}

void CollectionAuthSheet::save()
{
    const APIRequest edited = m_edited->request();
    accept();
    m_state.setCollectionAuth(m_collectionID, edited);
}

void CollectionAuthSheet::closeWhenGone()
{
    if (!canEdit(m_state, m_collectionID))
        reject();
}

} // namespace mako
