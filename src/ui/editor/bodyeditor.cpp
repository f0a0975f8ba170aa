#include "ui/editor/bodyeditor.h"

#include "interchange/interchangeutil.h"
#include "model/prettyjson.h"
#include "state/requestviewmodel.h"
#include "state/settings.h"
#include "ui/common/colors.h"
#include "ui/common/iconlabel.h"
#include "ui/common/indentkeys.h"
#include "ui/common/resultchannel.h"
#include "ui/editor/variablespans.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextDocumentLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>
#include <QThreadPool>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

enum Page { NonePage, TextPage, FormPage };

QString typeButtonName(RequestBodyType type)
{
    switch (type) {
    case RequestBodyType::none:
        return u"bodyTypeNone"_s;
    case RequestBodyType::json:
        return u"bodyTypeJSON"_s;
    case RequestBodyType::formData:
        return u"bodyTypeFormData"_s;
    case RequestBodyType::raw:
        return u"bodyTypeRaw"_s;
    }
    return {};
}

// Where large texts are checked: one thread that runs only when a core would otherwise idle,
// so a check never takes time from typing.
QThreadPool* checkPool()
{
    static QThreadPool* pool = [] {
        auto* created = new QThreadPool(qApp);
        created->setMaxThreadCount(1);
        created->setThreadPriority(QThread::IdlePriority);
        return created;
    }();
    return pool;
}

// A document built on a pool thread for the window's thread; dropped unless taken.
struct BuiltDocument {
    QTextDocument* document;
    ~BuiltDocument()
    {
        if (document)
            document->deleteLater();
    }
    QTextDocument* take() { return std::exchange(document, nullptr); }
};

// The one step in a formatted document's history that leads back to the document it replaced.
class FormatUndo : public QAbstractUndoItem {
public:
    explicit FormatUndo(std::function<void()> undo)
        : m_undo(std::move(undo))
    { }
    void undo() override { m_undo(); }
    // The step is only ever undone: after that the field shows the earlier document again, and
    // this one (with its history) is gone.
    void redo() override { }

private:
    std::function<void()> m_undo;
};

QTextDocument* plainDocument(const QFont& font, const QTextOption& option, qreal margin)
{
    auto* document = new QTextDocument;
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(font);
    document->setDefaultTextOption(option);
    document->setDocumentMargin(margin);
    return document;
}

QWidget* noBodyPage()
{
    auto* page = new QWidget;
    page->setObjectName(u"noBodyPage"_s);
    auto* label = new QLabel(BodyEditor::tr("No body"));
    label->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addWidget(new IconLabel(u"doc.text", 28), 0, Qt::AlignHCenter);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    layout->addStretch();
    return page;
}

} // namespace

int editorPixelSize(double stored)
{
    return int(std::lround(std::clamp(stored > 0 ? stored : 12.0, 9.0, 20.0)));
}

BodyTextEdit::BodyTextEdit(KeyValueEditor::EnvironmentSource environment, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_environment(std::move(environment))
    , m_indentKeys(new IndentKeys(this))
{
    // Only the lines in view are coloured, so a body of megabytes costs no more than a short
    // one: a highlighter would go through every line whenever a new text is shown.
    connect(this, &QPlainTextEdit::textChanged, this, &BodyTextEdit::scheduleColouring);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &BodyTextEdit::scheduleColouring);
}

void BodyTextEdit::refreshVariables()
{
    m_coloured.clear();
    scheduleColouring();
}

void BodyTextEdit::scheduleColouring()
{
    // Once per event-loop turn, after the layout has caught up with the change.
    if (std::exchange(m_colouringScheduled, true))
        return;
    QTimer::singleShot(0, this, [this] {
        m_colouringScheduled = false;
        colourVisiblePlaceholders();
    });
}

void BodyTextEdit::colourVisiblePlaceholders()
{
    const std::optional<APIEnvironment> environment = m_environment();
    const QColor defined = palette().color(QPalette::Link);
    const QColor undefined = systemColor(SystemColor::red, palette());
    QList<QTextEdit::ExtraSelection> selections;
    QList<Coloured> coloured;
    const qreal bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (blockBoundingGeometry(block).translated(contentOffset()).top() > bottom)
            break;
        const QString text = block.text();
        if (!text.contains(u"{{"_s))
            continue;
        for (const VariableSpan& span : variableSpans(text, environment)) {
            const int position = block.position() + span.start;
            QTextCursor cursor(document());
            cursor.setPosition(position);
            cursor.setPosition(position + span.length, QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setForeground(span.isDefined ? defined : undefined);
            selections.append({cursor, format});
            coloured.append({position, span.length, span.isDefined});
        }
    }
    // Setting them repaints the field; the same colours again need no repaint.
    if (coloured == m_coloured)
        return;
    m_coloured = coloured;
    setExtraSelections(selections);
}

bool BodyTextEdit::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QPlainTextEdit::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QTextCursor cursor = cursorForPosition(help->pos());
    const QTextBlock block = cursor.block();
    const QList<VariableSpan> spans = variableSpans(block.text(), m_environment());
    if (const VariableSpan* span = spanAt(spans, cursor.position() - block.position()))
        QToolTip::showText(help->globalPos(), span->explanation(), viewport());
    else
        QToolTip::hideText();
    return true;
}

void BodyTextEdit::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        refreshVariables();
}

void BodyTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    scheduleColouring();
}

void BodyTextEdit::insertFromMimeData(const QMimeData* source)
{
    QPlainTextEdit::insertFromMimeData(source);
    Q_EMIT pasted();
}

void BodyTextEdit::setTabSize(int tabSize)
{
    m_indentKeys->setUnit(tabSize > 0 ? QString(tabSize, u' ') : u"\t"_s);
}

BodyEditor::BodyEditor(RequestViewModel& viewModel, Settings& settings,
    KeyValueEditor::EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_settings(settings)
    , m_types(new QButtonGroup(this))
    , m_pages(new QStackedWidget)
    , m_text(new BodyTextEdit(environment))
    , m_form(new KeyValueEditor(
          tr("Form Fields"), viewModel, &APIRequest::queryParams, std::move(environment)))
    , m_error(new QLabel)
{
    m_form->setObjectName(u"formFieldsEditor"_s);
    m_form->setNote(tr("The body is sent as these fields; they are the Params tab's rows."));
    m_pages->addWidget(noBodyPage());
    m_pages->addWidget(buildTextPage());
    m_pages->addWidget(m_form);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &BodyEditor::flushPendingText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(buildTypeRow());
    layout->addWidget(m_pages, 1);

    connect(
        &m_viewModel, &RequestViewModel::requestChanged, this, &BodyEditor::handleRequestChanged);
    connect(&m_settings, &Settings::valueChanged, this, &BodyEditor::applySettings);
    applySettings();
    m_shownTab = m_viewModel.shownTab();
    m_shownBody = m_viewModel.request().body;
    TabText& first = m_texts[m_shownTab];
    first.document = newDocument(m_shownBody);
    first.closed = m_shownTab.isNull();
    showDocument(first.document);
    showType(m_viewModel.request().bodyType);
    validate(m_shownBody);
}

BodyEditor::~BodyEditor()
{
    cancelFormat();
    qApp->removeEventFilter(this);
}

QWidget* BodyEditor::buildTypeRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (RequestBodyType type : allCases<RequestBodyType>()) {
        auto* button = new QToolButton;
        button->setObjectName(typeButtonName(type));
        button->setText(rawValue(type));
        button->setCheckable(true);
        button->setAutoRaise(true);
        m_types->addButton(button, int(type));
        layout->addWidget(button);
    }
    m_types->setExclusive(true);
    connect(m_types, &QButtonGroup::idClicked, this, &BodyEditor::handleTypeClicked);
    layout->addStretch();
    auto* formatButton = new QPushButton(tr("Format"));
    formatButton->setObjectName(u"formatButton"_s);
    formatButton->setToolTip(tr("Indent the JSON and sort its keys"));
    connect(formatButton, &QPushButton::clicked, this, [this] { format(false); });
    m_formatButton = formatButton;
    layout->addWidget(formatButton);
    return row;
}

QWidget* BodyEditor::buildTextPage()
{
    auto* page = new QWidget;
    m_text->setObjectName(u"bodyText"_s);
    m_text->setAccessibleName(tr("Body"));
    m_text->setPlaceholderText(u"{\n  \"name\": \"value\"\n}"_s); // untranslated: JSON sample
    connect(m_text, &QPlainTextEdit::textChanged, this, &BodyEditor::handleTextChanged);
    connect(m_text, &BodyTextEdit::pasted, this, &BodyEditor::handlePasted);

    m_error->setObjectName(u"bodyError"_s);
    QPalette red = m_error->palette();
    red.setColor(QPalette::WindowText, systemColor(SystemColor::red, palette()));
    m_error->setPalette(red);
    m_errorRow = new QWidget;
    auto* errorLayout = new QHBoxLayout(m_errorRow);
    errorLayout->setContentsMargins(0, 0, 0, 0);
    errorLayout->addWidget(new IconLabel(u"exclamationmark.circle.fill"));
    errorLayout->addWidget(m_error, 1);
    m_errorRow->hide();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_errorRow);
    return page;
}

void BodyEditor::applySettings()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Pixels, like the response body beside it: points would grow with the screen's dots per
    // inch, and the two bodies would no longer match.
    font.setPixelSize(editorPixelSize(m_settings.value(SettingKeys::editorFontSize)));
    m_text->setFont(font);
    const int tabSize = m_settings.value(SettingKeys::editorTabSize);
    m_text->setTabSize(tabSize);
    const QFontMetricsF metrics(font);
    m_text->setTabStopDistance(metrics.horizontalAdvance(u' ') * (tabSize > 0 ? tabSize : 4));
    m_text->setLineWrapMode(m_settings.value(SettingKeys::editorWordWrap)
            ? QPlainTextEdit::WidgetWidth
            : QPlainTextEdit::NoWrap);
}

QTextDocument* BodyEditor::newDocument(const QString& text)
{
    QTextDocument* document = plainDocument(m_text->font(), m_text->document()->defaultTextOption(),
        m_text->document()->documentMargin());
    document->setParent(this);
    document->setPlainText(text);
    return document;
}

void BodyEditor::showDocument(QTextDocument* document)
{
    QTextDocument* old = m_text->document();
    if (old == document)
        return;
    disconnect(old, &QTextDocument::contentsChange, this, &BodyEditor::recordEdit);
    // A document kept while the preferences changed catches up now; the field itself keeps
    // only the shown one in step.
    if (document->defaultFont() != m_text->font())
        document->setDefaultFont(m_text->font());
    QTextOption option = document->defaultTextOption();
    if (option.tabStopDistance() != m_text->tabStopDistance()) {
        option.setTabStopDistance(m_text->tabStopDistance());
        document->setDefaultTextOption(option);
    }
    // A field that shows no scroll bar and takes a long text gets the bar only afterwards, and
    // the narrower view then lays every line out a second time. So the bar comes first, while
    // the field holds an empty text for a moment: the old text, laid out again for the
    // narrower view, could cost as much (a formatted text's single line of megabytes).
    const bool barComes = !m_text->verticalScrollBar()->isVisibleTo(m_text)
        && document->blockCount() * m_text->fontMetrics().lineSpacing()
            > m_text->viewport()->height();
    m_syncing = true;
    if (barComes) {
        m_text->setDocument(nullptr);
        m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    m_text->setDocument(document);
    if (barComes)
        m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_syncing = false;
    connect(document, &QTextDocument::contentsChange, this, &BodyEditor::recordEdit);
    // The coloured placeholders were the old document's.
    m_text->setExtraSelections({});
    m_text->refreshVariables();
}

void BodyEditor::showTab(const QUuid& tabID, const QString& body)
{
    // What the shown tab has not handed over yet stays with it until it is shown again: the
    // request now in the model is the other tab's.
    cancelFormat();
    m_pause.stop();
    qApp->removeEventFilter(this);
    const auto left = m_texts.find(m_shownTab);
    if (left != m_texts.end()) {
        TabText& kept = left->second;
        kept.cursor = m_text->textCursor();
        kept.scrollX = m_text->horizontalScrollBar()->value();
        kept.scrollY = m_text->verticalScrollBar()->value();
        kept.shownBody = m_shownBody;
        kept.edits = std::exchange(m_edits, {});
        kept.pending = std::exchange(m_pending, false);
    }
    m_edits.clear();
    m_pending = false;
    m_shownTab = tabID;

    TabText& shown = m_texts[tabID];
    const bool sameText
        = shown.shownBody.constData() == body.constData() || shown.shownBody == body;
    if (!shown.document) {
        shown
            = TabText {.document = newDocument(body), .shownBody = body, .closed = tabID.isNull()};
    } else if (!sameText) {
        // Changed elsewhere while another tab was shown: its history no longer fits the text.
        shown.document->setPlainText(body);
        shown = TabText {.document = shown.document, .shownBody = body, .closed = shown.closed};
    }
    showDocument(shown.document);
    if (!shown.cursor.isNull())
        m_text->setTextCursor(shown.cursor);
    m_text->horizontalScrollBar()->setValue(shown.scrollX);
    m_text->verticalScrollBar()->setValue(shown.scrollY);
    m_shownBody = shown.shownBody;
    m_edits = std::exchange(shown.edits, {});
    if (std::exchange(shown.pending, false)) {
        m_pending = true;
        qApp->installEventFilter(this);
        m_pause.start();
    }
    if (left != m_texts.end() && left->second.closed) {
        delete left->second.document;
        m_texts.erase(left);
    }
    validate(m_shownBody);
}

void BodyEditor::keepTabs(const QList<QUuid>& openTabs)
{
    for (auto text = m_texts.begin(); text != m_texts.end();) {
        if (openTabs.contains(text->first)) {
            ++text;
        } else if (text->first == m_shownTab) {
            // Still in the field: it goes when the field shows another tab.
            text->second.closed = true;
            ++text;
        } else {
            delete text->second.document;
            text = m_texts.erase(text);
        }
    }
}

void BodyEditor::handleRequestChanged()
{
    if (m_syncing)
        return;
    const APIRequest& request = m_viewModel.request();
    showType(request.bodyType);
    if (m_viewModel.shownTab() != m_shownTab) {
        showTab(m_viewModel.shownTab(), request.body);
        return;
    }
    const bool sameText
        = request.body.constData() == m_shownBody.constData() || request.body == m_shownBody;
    if (sameText)
        return;
    // An edit made elsewhere (a pasted command, a reload): what is pending here is outdated.
    cancelFormat();
    m_pause.stop();
    m_pending = false;
    m_edits.clear();
    qApp->removeEventFilter(this);
    m_shownBody = request.body;
    m_syncing = true;
    m_text->setPlainText(m_shownBody);
    m_syncing = false;
    validate(m_shownBody);
}

void BodyEditor::handleTypeClicked(int id)
{
    flushPendingText();
    APIRequest request = m_viewModel.request();
    request.bodyType = RequestBodyType(id);
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
    showType(request.bodyType);
    validate(m_shownBody);
}

void BodyEditor::showType(RequestBodyType type)
{
    if (QAbstractButton* button = m_types->button(int(type)))
        button->setChecked(true);
    m_formatButton->setVisible(type == RequestBodyType::json);
    m_pages->setCurrentIndex(type == RequestBodyType::none ? NonePage
            : type == RequestBodyType::formData            ? FormPage
                                                           : TextPage);
}

void BodyEditor::handleTextChanged()
{
    if (m_syncing)
        return;
    if (m_text->document()->characterCount() <= kLiveLimit) {
        writeText();
        return;
    }
    // A large text: copying and checking it at every key would make typing lag, so it is
    // handed over when typing pauses, and before anything else can read the request.
    if (!m_pending) {
        m_pending = true;
        qApp->installEventFilter(this);
    }
    m_pause.start();
}

void BodyEditor::refreshVariables()
{
    m_text->refreshVariables();
    m_form->refreshVariables();
}

void BodyEditor::flushPendingText()
{
    if (!m_pending)
        return;
    m_pause.stop();
    m_pending = false;
    qApp->removeEventFilter(this);
    writeText();
}

void BodyEditor::recordEdit(int position, int removed, int added)
{
    if (m_syncing)
        return;
    // The user's edit wins over a Format still on its way.
    cancelFormat();
    // Read as the field's plain text reads it: line breaks as "\n", no-break spaces as spaces.
    QTextCursor cursor(m_text->document());
    cursor.setPosition(position);
    cursor.setPosition(
        qMin(position + added, m_text->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    for (QChar& character : text) {
        if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator)
            character = u'\n';
        else if (character == QChar::Nbsp)
            character = u' ';
    }
    // Typing (and correcting) within what was just typed extends that one edit, so a burst of
    // keys is replayed on the whole text once.
    if (!m_edits.isEmpty()) {
        Edit& last = m_edits.last();
        const int offset = position - last.position;
        if (offset >= 0 && offset + removed <= last.added.size()) {
            last.added.replace(offset, removed, text);
            return;
        }
    }
    m_edits.append({position, removed, text});
}

void BodyEditor::writeText()
{
    // The edits replayed on the text last written: reading a large field out whole takes far
    // longer than a key may.
    QString body = m_shownBody;
    for (const Edit& edit : std::as_const(m_edits)) {
        // A change at the very end counts the field's closing line break, which the text lacks.
        const qsizetype from = qMin<qsizetype>(edit.position, body.size());
        body.replace(from, qMin<qsizetype>(edit.removed, body.size() - from), edit.added);
    }
    setShownBody(body);
}

void BodyEditor::setShownBody(const QString& body)
{
    m_pause.stop();
    m_pending = false;
    qApp->removeEventFilter(this);
    m_edits.clear();
    APIRequest request = m_viewModel.request();
    request.body = body;
    m_shownBody = request.body;
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
    validate(m_shownBody);
}

bool BodyEditor::eventFilter(QObject* watched, QEvent* event)
{
    // Only installed while typed text waits. A click elsewhere, a shortcut or leaving the field
    // may act on the request (send it, switch tabs, save it), so it gets the text first. Every
    // key press is offered as a possible shortcut first; only those with a command modifier can
    // be one of the window's, and plain typing must not hand the whole text over at each key.
    const QEvent::Type type = event->type();
    const bool insideText = watched == m_text->viewport() || watched == m_text;
    const bool shortcut = type == QEvent::ShortcutOverride
        && (static_cast<QKeyEvent*>(event)->modifiers()
            & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if ((type == QEvent::MouseButtonPress && !insideText) || shortcut
        || (type == QEvent::FocusOut && watched == m_text)) {
        flushPendingText();
    }
    return QWidget::eventFilter(watched, event);
}

void BodyEditor::hideEvent(QHideEvent* event)
{
    flushPendingText();
    QWidget::hideEvent(event);
}

void BodyEditor::handlePasted()
{
    // Pasting is the one moment a body is taken as a whole; typing never reformats it.
    if (m_viewModel.request().bodyType == RequestBodyType::json
        && m_settings.value(SettingKeys::autoFormatJSON)) {
        format(true);
    }
}

void BodyEditor::format(bool quietly)
{
    flushPendingText();
    cancelFormat();
    // A large text is also laid out as a document on the pool thread: put in place through a
    // cursor it would hold the window for seconds. The field then takes the new document, and
    // the one it replaces is kept for the undo.
    const QString text = m_shownBody;
    const bool large = text.size() > kLiveLimit;
    const QFont font = m_text->font();
    const QTextOption option = m_text->document()->defaultTextOption();
    const qreal margin = m_text->document()->documentMargin();
    QThread* const home = thread();
    m_formatting = startWork(this,
        [this, quietly, text, large, font, option, margin, home](
            const std::shared_ptr<ResultChannel>& channel) {
            // The user's "/" stays as typed: a URL in the body must read and copy as it was
            // written.
            const std::optional<QByteArray> pretty
                = prettyPrintJson(text.toUtf8(), {}, JsonSlash::plain);
            if (!pretty) {
                channel->post(channel, [this, quietly] {
                    m_formatting.reset();
                    if (!quietly)
                        setJsonError(kCannotFormat);
                });
                return;
            }
            const QString formatted = QString::fromUtf8(*pretty);
            std::shared_ptr<BuiltDocument> built;
            if (large && channel->isOpen()) {
                QTextDocument* document = plainDocument(font, option, margin);
                document->setPlainText(formatted);
                // The field gives every line a layout object when it takes the document: made
                // here, those hundreds of thousands of allocations leave the window's thread.
                for (QTextBlock block = document->firstBlock(); block.isValid();
                     block = block.next())
                    block.layout();
                document->moveToThread(home);
                built = std::make_shared<BuiltDocument>(document);
            }
            channel->post(channel, [this, formatted, built] {
                m_formatting.reset();
                applyFormatted(formatted, built ? built->take() : nullptr);
            });
        });
}

void BodyEditor::applyFormatted(const QString& pretty, QTextDocument* built)
{
    if (!built) {
        // Through a cursor, so that the user can undo and redo it.
        QTextCursor cursor(m_text->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(pretty);
        flushPendingText();
        setJsonError(std::nullopt);
        return;
    }
    QTextDocument* before = m_text->document();
    built->setParent(this);
    // Lives as long as the step that leads back to it.
    before->setParent(built);
    built->appendUndoItem(new FormatUndo(
        [guard = QPointer(this), formatted = QPointer(built), before = QPointer(before),
            cursor = m_text->textCursor(), text = m_shownBody] {
            if (guard && formatted && before)
                guard->undoFormat(formatted, before, cursor, text);
        }));
    m_texts[m_shownTab].document = built;
    showDocument(built);
    // Where a cursor leaves the text it inserted.
    m_text->moveCursor(QTextCursor::End);
    setShownBody(pretty);
    setJsonError(std::nullopt);
}

void BodyEditor::undoFormat(
    QTextDocument* formatted, QTextDocument* before, const QTextCursor& cursor, const QString& text)
{
    if (m_text->document() != formatted)
        return;
    cancelFormat();
    before->setParent(this);
    m_texts[m_shownTab].document = before;
    showDocument(before);
    m_text->setTextCursor(cursor);
    setShownBody(text);
    // Undone from within its own history: it goes once that has returned.
    formatted->deleteLater();
}

void BodyEditor::cancelFormat()
{
    if (const std::shared_ptr<ResultChannel> formatting = std::exchange(m_formatting, nullptr))
        formatting->close();
}

void BodyEditor::validate(const QString& text)
{
    const quint64 generation = ++m_validation;
    if (m_viewModel.request().bodyType != RequestBodyType::json || text.isEmpty()) {
        applyValidation(generation, true);
        return;
    }
    if (text.size() <= kLiveLimit) {
        applyValidation(generation, isJsonDocument(text));
        return;
    }
    checkInBackground();
}

void BodyEditor::checkInBackground()
{
    // One check at a time: a text that changes while one runs is checked once it ends, so a
    // burst of edits does not pile parses up on the cores the typing needs.
    if (m_checking) {
        m_checkAgain = true;
        return;
    }
    m_checking = true;
    checkPool()->start([guard = QPointer(this), text = m_shownBody, generation = m_validation] {
        const bool valid = isJsonDocument(text);
        QMetaObject::invokeMethod(
            qApp,
            [guard, generation, valid] {
                if (guard)
                    guard->finishBackgroundCheck(generation, valid);
            },
            Qt::QueuedConnection);
    });
}

void BodyEditor::finishBackgroundCheck(quint64 generation, bool valid)
{
    m_checking = false;
    applyValidation(generation, valid);
    if (!std::exchange(m_checkAgain, false) || generation == m_validation)
        return;
    if (m_viewModel.request().bodyType == RequestBodyType::json && m_shownBody.size() > kLiveLimit)
        checkInBackground();
}

void BodyEditor::applyValidation(quint64 generation, bool valid)
{
    // A later change has been checked or is being checked.
    if (generation != m_validation)
        return;
    setJsonError(valid ? std::nullopt : std::optional(kInvalidJSON));
}

void BodyEditor::setJsonError(const std::optional<QString>& error)
{
    m_jsonError = error;
    m_error->setText(error.value_or(QString()));
    m_errorRow->setVisible(error.has_value());
}

} // namespace mako
