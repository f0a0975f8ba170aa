#include "ui/shell/tabcloser.h"

#include "state/appstate.h"
#include "state/unsavedchanges.h"
#include "ui/editor/savetocollectionsheet.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace mako {

/// One close the user asked for, while its questions are open.
struct TabCloser::Closing {
    QList<QUuid> ids;
    /// The tab to show at the end ("Close Others").
    std::optional<QUuid> keep;
    /// The tabs that would lose work, in tab order.
    QList<QUuid> edited;
    /// The requests stored nowhere that still wait for their save sheet.
    QList<QUuid> drafts;
    /// Tabs that stay open after all: their save sheet was cancelled.
    QList<QUuid> kept;
};

namespace {

struct Shown {
    APIRequest request;
    RequestOrigin origin;
};

// What the tab shows: the working copy for the active tab, else its own request.
std::optional<Shown> shownIn(const AppState& state, const QUuid& id)
{
    const RequestTab* tab = state.tabStore().tab(id);
    if (!tab)
        return std::nullopt;
    if (state.activeTabID() == id && state.openRequest())
        return Shown {*state.openRequest(), state.openRequestOrigin()};
    return Shown {tab->request, tab->origin};
}

bool collectionExists(const AppState& state, const RequestOrigin& origin)
{
    return origin.isCollection() && state.collectionStore().collection(origin.collectionID);
}

} // namespace

TabCloser::TabCloser(AppState& state, QWidget* widget)
    : QObject(widget)
    , m_state(state)
    , m_widget(widget)
{ }

void TabCloser::closeTab(const QUuid& id)
{
    close({id}, std::nullopt);
}

void TabCloser::closeOtherTabs(const QUuid& id)
{
    if (!m_state.tabStore().tab(id))
        return;
    QList<QUuid> others;
    for (const RequestTab& tab : m_state.tabs()) {
        if (tab.id != id)
            others.append(tab.id);
    }
    close(others, id);
}

void TabCloser::closeAllTabs()
{
    QList<QUuid> all;
    for (const RequestTab& tab : m_state.tabs())
        all.append(tab.id);
    close(all, std::nullopt);
}

void TabCloser::close(QList<QUuid> ids, std::optional<QUuid> keep)
{
    auto closing = std::make_shared<Closing>(Closing {.ids = std::move(ids), .keep = keep});
    for (const QUuid& id : closing->ids) {
        const std::optional<Shown> shown = shownIn(m_state, id);
        if (shown
            && closingLosesWork(
                shown->request, shown->origin, m_state.collections(), m_state.history()))
            closing->edited.append(id);
    }
    if (closing->edited.isEmpty() || !m_widget)
        finish(*closing);
    else
        ask(closing);
}

void TabCloser::ask(const std::shared_ptr<Closing>& closing)
{
    const qsizetype count = closing->edited.size();
    const QString text = count == 1
        ? tr("Save changes to “%1”?").arg(shownIn(m_state, closing->edited[0])->request.name)
        : tr("Save changes to %n requests?", nullptr, int(count));
    const QString title = count == 1 ? tr("Close Tab") : tr("Close Tabs");
    auto* box = new QMessageBox(
        QMessageBox::Warning, title, text, QMessageBox::NoButton, m_widget->window());
    box->setObjectName(u"closeTabPrompt"_s);
    box->setInformativeText(count == 1 ? tr("Your changes are lost if you don't save them.")
                                       : tr("Their changes are lost if you don't save them."));
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* save = box->addButton(tr("Save"), QMessageBox::AcceptRole);
    QPushButton* discard = box->addButton(tr("Don't Save"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    save->setObjectName(u"saveButton"_s);
    discard->setObjectName(u"dontSaveButton"_s);
    cancel->setObjectName(u"cancelButton"_s);
    box->setDefaultButton(save);
    box->setEscapeButton(cancel);
    connect(box, &QMessageBox::buttonClicked, this,
        [this, closing, save, discard](QAbstractButton* clicked) {
            if (clicked == save)
                saveAndClose(closing);
            else if (clicked == discard)
                finish(*closing);
        });
    box->open();
}

void TabCloser::saveAndClose(const std::shared_ptr<Closing>& closing)
{
    for (const QUuid& id : closing->edited) {
        const std::optional<Shown> shown = shownIn(m_state, id);
        if (!shown)
            continue;
        if (collectionExists(m_state, shown->origin))
            m_state.saveRequestToCollection(shown->request, shown->origin.collectionID);
        else
            closing->drafts.append(id);
    }
    saveNextDraft(closing);
}

void TabCloser::saveNextDraft(const std::shared_ptr<Closing>& closing)
{
    std::optional<Shown> shown;
    QUuid id;
    while (!shown && !closing->drafts.isEmpty()) {
        id = closing->drafts.takeFirst();
        shown = shownIn(m_state, id);
    }
    if (!shown || !m_widget) {
        finish(*closing);
        return;
    }
    // Shown behind its sheet, so that the user sees which request the name is asked for.
    m_state.switchToTab(id);
    shown = shownIn(m_state, id);
    auto* sheet = new SaveToCollectionSheet(m_state, shown->request, m_widget->window());
    auto saved = std::make_shared<bool>(false);
    connect(sheet, &SaveToCollectionSheet::saved, this, [saved] { *saved = true; });
    connect(sheet, &QDialog::finished, this, [this, closing, id, saved] {
        if (*saved) {
            saveNextDraft(closing);
            return;
        }
        // Cancelled: this tab and the ones still waiting stay open with their work.
        closing->kept.append(id);
        closing->kept.append(closing->drafts);
        closing->drafts.clear();
        finish(*closing);
    });
    sheet->open();
}

void TabCloser::finish(const Closing& closing)
{
    for (const QUuid& id : closing.ids) {
        if (!closing.kept.contains(id))
            m_state.closeTab(id);
    }
    if (closing.keep)
        m_state.switchToTab(*closing.keep);
}

} // namespace mako
