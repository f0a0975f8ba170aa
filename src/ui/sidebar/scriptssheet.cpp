#include "ui/sidebar/scriptssheet.h"

#include "state/appstate.h"
#include "ui/common/sheettitle.h"
#include "ui/editor/scripteditor.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const CollectionFolder* findFolder(const Collection& collection, const QUuid& folderID)
{
    const auto found = std::find_if(collection.folders.cbegin(), collection.folders.cend(),
        [&folderID](const CollectionFolder& folder) { return folder.id == folderID; });
    return found == collection.folders.cend() ? nullptr : &*found;
}

} // namespace

bool ScriptsSheet::canEdit(const AppState& state, QUuid collectionID, std::optional<QUuid> folderID)
{
    const Collection* collection = state.collectionStore().collection(collectionID);
    return collection && (!folderID || findFolder(*collection, *folderID));
}

ScriptsSheet::ScriptsSheet(AppState& state, const Settings& settings, QUuid collectionID,
    std::optional<QUuid> folderID, QWidget* window)
    : QDialog(window)
    , m_state(state)
    , m_collectionID(collectionID)
    , m_folderID(folderID)
    , m_preRequest(new ScriptTextEdit(settings))
    , m_test(new ScriptTextEdit(settings))
{
    setObjectName(u"scriptsSheet"_s);
    setWindowTitle(tr("Scripts"));
    setAccessibleName(tr("Scripts"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(620, 560);

    QString explanation;
    const Collection* collection = state.collectionStore().collection(collectionID);
    const CollectionFolder* folder
        = collection && folderID ? findFolder(*collection, *folderID) : nullptr;
    if (folder) {
        m_preRequest->setPlainText(folder->preRequestScript);
        m_test->setPlainText(folder->testScript);
        explanation = tr("They run around every request of the folder “%1”: after the "
                         "collection's scripts, before the request's own.")
                          .arg(folder->name);
    } else if (collection) {
        m_preRequest->setPlainText(collection->preRequestScript);
        m_test->setPlainText(collection->testScript);
        explanation = tr("They run around every request of the collection “%1”: before the "
                         "scripts of its folders and requests.")
                          .arg(collection->name);
    }
    m_preRequest->setObjectName(u"preRequestScriptField"_s);
    m_test->setObjectName(u"testScriptField"_s);
    auto* note = new QLabel(explanation);
    note->setObjectName(u"scriptsSheetNote"_s);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    QPushButton* saveButton = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(u"saveScriptsButton"_s);
    saveButton->setDefault(true);
    // Tab takes each button in turn (the box would otherwise hand its focus to the first only).
    buttons->setFocusProxy(nullptr);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(saveButton, &QPushButton::clicked, this, &ScriptsSheet::save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(folder ? tr("Folder Scripts") : tr("Collection Scripts")));
    layout->addWidget(note);
    layout->addWidget(labelledScript(tr("Pre-request"), m_preRequest), 1);
    layout->addWidget(labelledScript(tr("Tests"), m_test), 1);
    layout->addWidget(buttons);

    connect(&state, &AppState::collectionsChanged, this, &ScriptsSheet::closeWhenGone);
}

void ScriptsSheet::save()
{
    const QString preRequest = m_preRequest->toPlainText();
    const QString test = m_test->toPlainText();
    accept();
    m_state.setScripts(m_collectionID, m_folderID, preRequest, test);
}

void ScriptsSheet::closeWhenGone()
{
    if (!canEdit(m_state, m_collectionID, m_folderID))
        reject();
}

} // namespace mako
