#include "ui/sidebar/templatesheet.h"

#include "interchange/requesttemplate.h"
#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/common/sheettitle.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kTemplateRole = Qt::UserRole;

QString sectionTitle(RequestProtocol protocol)
{
    switch (protocol) {
    case RequestProtocol::http:
        return TemplateSheet::tr("HTTP");
    case RequestProtocol::graphql:
        return TemplateSheet::tr("GraphQL");
    case RequestProtocol::websocket:
        return TemplateSheet::tr("WebSocket");
    case RequestProtocol::sse:
        return TemplateSheet::tr("Server-Sent Events");
    }
    return {};
}

} // namespace

TemplateSheet::TemplateSheet(AppState& state, QWidget* window)
    : QDialog(window)
    , m_state(state)
    , m_list(new QTreeWidget)
{
    setObjectName(u"templateSheet"_s);
    setWindowTitle(tr("New from Template"));
    setAccessibleName(tr("New from Template"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(380, 480);

    m_list->setObjectName(u"templateList"_s);
    m_list->setAccessibleName(tr("Templates"));
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    const QList<RequestTemplate>& templates = RequestTemplate::builtIn();
    for (RequestProtocol protocol : allCases<RequestProtocol>()) {
        auto* section = new QTreeWidgetItem(m_list, {sectionTitle(protocol)});
        section->setFlags(Qt::ItemIsEnabled);
        QFont bold = section->font(0);
        bold.setBold(true);
        section->setFont(0, bold);
        for (int row = 0; row < templates.size(); ++row) {
            if (templates[row].protocol != protocol)
                continue;
            auto* item = new QTreeWidgetItem(section, {templates[row].name});
            item->setIcon(0, icons::icon(templates[row].icon));
            item->setData(0, kTemplateRole, row);
        }
    }
    m_list->expandAll();
    connect(m_list, &QTreeWidget::itemActivated, this, &TemplateSheet::choose);
    connect(m_list, &QTreeWidget::itemClicked, this, &TemplateSheet::choose);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"cancelButton"_s);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(tr("New from Template")));
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
}

void TemplateSheet::choose(QTreeWidgetItem* item)
{
    const QVariant row = item ? item->data(0, kTemplateRole) : QVariant();
    if (!row.isValid())
        return;
    // A new tab, whose request (and the working copy the editor shows) becomes the template's.
    m_state.openNewRequest();
    m_state.setOpenRequest(RequestTemplate::builtIn()[row.toInt()].toRequest());
    m_state.saveCurrentTabState();
    accept();
}

} // namespace mako
