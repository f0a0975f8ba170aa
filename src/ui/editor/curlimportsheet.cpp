#include "ui/editor/curlimportsheet.h"

#include "interchange/curlparser.h"
#include "state/appstate.h"
#include "ui/common/iconlabel.h"
#include "ui/common/sheettitle.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QWidget* errorRow(QLabel* text)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new IconLabel(u"exclamationmark.circle.fill"), 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    return row;
}

QString warningText(const QStringList& warnings)
{
    return CurlImportSheet::tr("The cURL command was imported; some of it was left out or changed:")
        + u'\n' + warnings.join(u'\n');
}

} // namespace

std::optional<QString> importCurlCommand(AppState& state, const QString& command)
{
    // No folder: the window has no working folder to read a command's files from, so a command
    // that names one fails with the parser's message rather than reading some other file.
    const Result<CurlParser::CurlImport> parsed = CurlParser::parse(command);
    if (!parsed.ok())
        return parsed.error().message;
    state.openNewRequest();
    state.setOpenRequest(parsed.value().request);
    state.saveCurrentTabState();
    QStringList notes;
    if (!parsed.value().warnings.isEmpty())
        notes.append(warningText(parsed.value().warnings));
    // A certificate belongs to the host, so it goes to the preferences rather than the request.
    if (const std::optional<HostCertificate>& certificate = parsed.value().certificate) {
        state.addHostCertificate(*certificate);
        notes.append(CurlImportSheet::tr("The certificate options were added to Preferences → "
                                         "Certificates, for %1.")
                         .arg(certificate->host));
    }
    if (!notes.isEmpty())
        state.setAlertMessage(notes.join(u"\n\n"_s));
    return std::nullopt;
}

CurlImportSheet::CurlImportSheet(AppState& state, QWidget* window)
    : QDialog(window)
    , m_state(state)
    , m_text(new QPlainTextEdit)
    , m_error(new QLabel)
{
    setObjectName(u"curlImportSheet"_s);
    setWindowTitle(tr("Import from cURL"));
    setAccessibleName(tr("Import from cURL"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 340);

    QLabel* title = sheetTitle(tr("Import from cURL"));
    auto* prompt = new QLabel(tr("Paste a cURL command below:"));
    prompt->setBuddy(m_text);
    m_text->setObjectName(u"curlText"_s);
    m_text->setAccessibleName(tr("cURL command"));
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setTabChangesFocus(true);
    m_text->setPlaceholderText( // untranslated: a command
        u"curl https://api.example.com/users -H 'Accept: application/json'"_s);

    m_error->setObjectName(u"curlError"_s);
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_errorRow = errorRow(m_error);
    m_errorRow->hide();

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    // Only "Import" is the default: Return in the text makes a new line, and Cancel must not
    // become the default while Import waits for text.
    cancel->setAutoDefault(false);
    m_importButton = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    m_importButton->setObjectName(u"importButton"_s);
    m_importButton->setDefault(true);
    m_importButton->setEnabled(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_importButton, &QPushButton::clicked, this, &CurlImportSheet::import);
    connect(m_text, &QPlainTextEdit::textChanged, this, &CurlImportSheet::handleTextChanged);
    // Return belongs to the text (commands span lines); Ctrl+Return imports from the field.
    auto* importShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(importShortcut, &QShortcut::activated, m_importButton, &QPushButton::click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(prompt);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_errorRow);
    layout->addWidget(buttons);
    setFocusProxy(m_text);
    m_text->setFocus();
}

void CurlImportSheet::handleTextChanged()
{
    m_importButton->setEnabled(!m_text->toPlainText().trimmed().isEmpty());
}

void CurlImportSheet::import()
{
    if (!m_importButton->isEnabled())
        return;
    if (const std::optional<QString> error = importCurlCommand(m_state, m_text->toPlainText())) {
        showError(*error);
        return;
    }
    accept();
}

void CurlImportSheet::showError(const QString& message)
{
    m_error->setText(message);
    m_errorRow->show();
}

} // namespace mako
