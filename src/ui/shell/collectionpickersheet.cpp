#include "ui/shell/collectionpickersheet.h"

#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/common/sheettitle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

CollectionPickerSheet::CollectionPickerSheet(const AppState& state, QWidget* window)
    : QDialog(window)
    , m_collections(new QComboBox)
{
    setObjectName(u"collectionPickerSheet"_s);
    setWindowTitle(tr("Export Collection"));
    setAccessibleName(tr("Export Collection"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(380);

    m_collections->setObjectName(u"collectionCombo"_s);
    m_collections->setAccessibleName(tr("Collection"));
    m_collections->setMinimumContentsLength(24);
    const QIcon folder = icons::icon(u"folder");
    for (const Collection& collection : state.collections())
        m_collections->addItem(folder, collection.name, collection.id);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    QPushButton* exportButton = buttons->addButton(tr("Export..."), QDialogButtonBox::AcceptRole);
    exportButton->setObjectName(u"exportButton"_s);
    exportButton->setDefault(true);
    // The box hands its focus to its first button as laid out, and Tab from the field then lands
    // on that one and wraps, never reaching the other: without the proxy Tab takes each in turn.
    buttons->setFocusProxy(nullptr);
    exportButton->setEnabled(m_collections->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &CollectionPickerSheet::handleAccepted);

    QLabel* title = sheetTitle(tr("Export Collection"));
    auto* form = new QFormLayout;
    form->addRow(tr("Collection:"), m_collections);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CollectionPickerSheet::handleAccepted()
{
    if (m_collections->currentIndex() >= 0)
        Q_EMIT collectionChosen(m_collections->currentData().toUuid());
}

} // namespace mako
