#include "ui/sidebar/namesheets.h"

#include "state/appstate.h"
#include "state/sidebaractions.h"
#include "ui/common/sheettitle.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

NameSheet::NameSheet(const QString& objectName, const QString& title, const QString& fieldLabel,
    const QString& confirmText, QWidget* window)
    : QDialog(window)
    , m_field(new QLineEdit)
{
    setObjectName(objectName);
    setWindowTitle(title);
    setAccessibleName(title);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(320);

    m_field->setObjectName(u"nameField"_s);
    m_field->setAccessibleName(fieldLabel);
    m_field->setPlaceholderText(fieldLabel);
    auto* form = new QFormLayout;
    form->addRow(fieldLabel, m_field);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    m_confirm = buttons->addButton(confirmText, QDialogButtonBox::AcceptRole);
    m_confirm->setObjectName(u"confirmButton"_s);
    m_confirm->setDefault(true);
    // The box hands its focus to its first button as laid out, and Tab from the field then lands
    // on that one and wraps, never reaching the other: without the proxy Tab takes each in turn.
    buttons->setFocusProxy(nullptr);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(title));
    layout->addLayout(form);
    layout->addWidget(buttons);
}

RenameSheet::RenameSheet(SidebarActions& actions, QWidget* window)
    : NameSheet(u"renameSheet"_s, tr("Rename"), tr("Name"), tr("Rename"), window)
{
    field()->setText(actions.renameText());
    field()->selectAll();
    connect(field(), &QLineEdit::textEdited, &actions, &SidebarActions::setRenameText);
    connect(confirmButton(), &QPushButton::clicked, this, [this, &actions] {
        const std::optional<QUuid> id = actions.renamingID();
        accept();
        if (id)
            actions.applyRename(*id);
    });
    connect(this, &QDialog::rejected, &actions, &SidebarActions::cancelRename);
    connect(&actions, &SidebarActions::renamingIDChanged, this, [this, &actions] {
        if (!actions.renamingID())
            close();
    });
}

NewCollectionSheet::NewCollectionSheet(AppState& state, QWidget* window)
    : NameSheet(
        u"newCollectionSheet"_s, tr("New Collection"), tr("Collection Name"), tr("Create"), window)
{
    connect(confirmButton(), &QPushButton::clicked, this, [this, &state] {
        const QString name = field()->text();
        if (name.isEmpty())
            return;
        state.addCollection(name);
        field()->clear();
        accept();
    });
}

} // namespace mako
