#include "ui/editor/custommethodsheet.h"

#include "model/apirequest.h"
#include "ui/common/colors.h"
#include "ui/common/sheettitle.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

CustomMethodSheet::CustomMethodSheet(const QString& current, QWidget* window)
    : QDialog(window)
    , m_field(new QLineEdit(current))
    , m_problem(new QLabel)
{
    setObjectName(u"customMethodSheet"_s);
    setWindowTitle(tr("Custom Method"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(320);

    m_field->setObjectName(u"customMethodField"_s);
    m_field->setAccessibleName(tr("Method name"));
    m_field->setPlaceholderText(u"PURGE"_s); // untranslated: a method name
    m_field->selectAll();
    auto* form = new QFormLayout;
    form->addRow(tr("Method"), m_field);

    m_problem->setObjectName(u"customMethodProblem"_s);
    m_problem->setWordWrap(true);
    m_problem->hide();
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, systemColor(SystemColor::red, palette()));
    m_problem->setPalette(warning);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    m_confirm = buttons->addButton(tr("Use"), QDialogButtonBox::AcceptRole);
    m_confirm->setObjectName(u"confirmButton"_s);
    m_confirm->setDefault(true);
    // Without it Tab from the field reaches only the first button of the box.
    buttons->setFocusProxy(nullptr);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_confirm, &QPushButton::clicked, this, &CustomMethodSheet::confirm);
    connect(m_field, &QLineEdit::textEdited, m_problem, &QLabel::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(windowTitle()));
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
}

void CustomMethodSheet::confirm()
{
    const QString name = m_field->text().trimmed();
    // Someone typing "get" means GET: the seven are known in any letters.
    const QString upper = name.toUpper();
    APIRequest probe;
    if (setMethodName(probe, upper) && probe.method != HTTPMethod::custom) {
        accept();
        Q_EMIT methodChosen(upper);
        return;
    }
    if (!setMethodName(probe, name)) {
        m_problem->setText(name.isEmpty()
                ? tr("Type the method's name.")
                : tr("\"%1\" cannot be a method: use letters, digits and ! # $ % & ' * + - . ^ _ "
                     "` | ~ only, without spaces.")
                      .arg(name));
        m_problem->show();
        // The sheet grows to hold the message rather than cutting it off.
        adjustSize();
        m_field->setFocus();
        return;
    }
    accept();
    Q_EMIT methodChosen(name);
}

} // namespace mako
