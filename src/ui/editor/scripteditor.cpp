#include "ui/editor/scripteditor.h"

#include "model/apirequest.h"
#include "state/requestviewmodel.h"
#include "state/settings.h"
#include "ui/common/indentkeys.h"
#include "ui/editor/bodyeditor.h"

#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextDocumentLayout>
#include <QSet>
#include <QSplitter>
#include <QSyntaxHighlighter>
#include <QTextDocument>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QSet<QString>& keywords()
{
    static const QSet<QString> words {u"async"_s, u"await"_s, u"break"_s, u"case"_s, u"catch"_s,
        u"class"_s, u"const"_s, u"continue"_s, u"debugger"_s, u"default"_s, u"delete"_s, u"do"_s,
        u"else"_s, u"export"_s, u"extends"_s, u"finally"_s, u"for"_s, u"function"_s, u"if"_s,
        u"import"_s, u"in"_s, u"instanceof"_s, u"let"_s, u"new"_s, u"of"_s, u"return"_s, u"super"_s,
        u"switch"_s, u"throw"_s, u"try"_s, u"typeof"_s, u"var"_s, u"void"_s, u"while"_s, u"with"_s,
        u"yield"_s};
    return words;
}

const QSet<QString>& literals()
{
    static const QSet<QString> words {
        u"true"_s, u"false"_s, u"null"_s, u"undefined"_s, u"this"_s, u"NaN"_s, u"Infinity"_s};
    return words;
}

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Where the text opened by `quote` closes (after it), or -1 when it runs past the line.
qsizetype closingQuote(const QString& line, qsizetype from, QChar quote)
{
    for (qsizetype at = from; at < line.size(); ++at) {
        if (line[at] == u'\\')
            ++at;
        else if (line[at] == quote)
            return at + 1;
    }
    return -1;
}

} // namespace

bool hasScript(const APIRequest& request)
{
    return !request.preRequestScript.trimmed().isEmpty() || !request.testScript.trimmed().isEmpty();
}

ScriptLineColors javaScriptLineColors(const QString& line, ScriptLineState start)
{
    ScriptLineColors result;
    result.colors.resize(line.size());
    const qsizetype size = line.size();
    const auto paint = [&result](qsizetype from, qsizetype to, SystemColor color) {
        std::fill(result.colors.begin() + from, result.colors.begin() + to, color);
    };
    qsizetype at = 0;
    // What the line before left open is closed first, or fills this line too.
    if (start != ScriptLineState::code) {
        const bool comment = start == ScriptLineState::blockComment;
        const qsizetype closed = comment ? line.indexOf(u"*/"_s) : closingQuote(line, 0, u'`');
        const SystemColor color = comment ? SystemColor::grey : SystemColor::green;
        if (closed < 0) {
            paint(0, size, color);
            result.end = start;
            return result;
        }
        at = comment ? closed + 2 : closed;
        paint(0, at, color);
    }
    while (at < size) {
        const QChar c = line[at];
        const QChar next = at + 1 < size ? line[at + 1] : QChar();
        if (c == u'/' && next == u'/') {
            paint(at, size, SystemColor::grey);
            break;
        }
        if (c == u'/' && next == u'*') {
            const qsizetype closed = line.indexOf(u"*/"_s, at + 2);
            if (closed < 0) {
                paint(at, size, SystemColor::grey);
                result.end = ScriptLineState::blockComment;
                break;
            }
            paint(at, closed + 2, SystemColor::grey);
            at = closed + 2;
        } else if (c == u'"' || c == u'\'' || c == u'`') {
            const qsizetype closed = closingQuote(line, at + 1, c);
            if (closed < 0) {
                // Only a template text goes on over the line's end; a quote left open ends here.
                paint(at, size, SystemColor::green);
                if (c == u'`')
                    result.end = ScriptLineState::templateText;
                break;
            }
            paint(at, closed, SystemColor::green);
            at = closed;
        } else if (c.isDigit() || (c == u'.' && next.isDigit())) {
            qsizetype end = at + 1;
            while (end < size
                && (isIdentifierChar(line[end]) || line[end] == u'.'
                    || ((line[end] == u'+' || line[end] == u'-')
                        && (line[end - 1] == u'e' || line[end - 1] == u'E'))))
                ++end;
            paint(at, end, SystemColor::orange);
            at = end;
        } else if (isIdentifierChar(c)) {
            qsizetype end = at + 1;
            while (end < size && isIdentifierChar(line[end]))
                ++end;
            const QString word = line.mid(at, end - at);
            // After a dot it is a property (`response.to.be.ok`, `headers.delete`), no keyword.
            const bool property = at > 0 && line[at - 1] == u'.';
            if (!property && keywords().contains(word))
                paint(at, end, SystemColor::pink);
            else if (!property && literals().contains(word))
                paint(at, end, SystemColor::purple);
            at = end;
        } else {
            ++at;
        }
    }
    return result;
}

class ScriptHighlighter : public QSyntaxHighlighter {
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

    bool enabled = true;
    QPalette palette;

protected:
    void highlightBlock(const QString& text) override
    {
        const int previous = previousBlockState();
        const ScriptLineColors line = javaScriptLineColors(
            text, previous < 0 ? ScriptLineState::code : ScriptLineState(previous));
        setCurrentBlockState(int(line.end));
        if (!enabled)
            return;
        const QList<std::optional<SystemColor>>& colors = line.colors;
        qsizetype start = 0;
        for (qsizetype at = 1; at <= colors.size(); ++at) {
            if (at < colors.size() && colors[at] == colors[start])
                continue;
            if (colors[start])
                setFormat(int(start), int(at - start), systemColor(*colors[start], palette));
            start = at;
        }
    }
};

ScriptTextEdit::ScriptTextEdit(const Settings& settings, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_settings(settings)
    , m_indentKeys(new IndentKeys(this))
    // Owned by the field, not by a document: the field swaps documents per request tab.
    , m_highlighter(new ScriptHighlighter(static_cast<QObject*>(this)))
{
    m_highlighter->palette = palette();
    m_highlighter->setDocument(document());
    connect(&m_settings, &Settings::valueChanged, this, &ScriptTextEdit::applySettings);
    applySettings();
}

void ScriptTextEdit::applySettings()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // In pixels and of the same size as the body's text, so the request's fields match.
    font.setPixelSize(editorPixelSize(m_settings.value(SettingKeys::editorFontSize)));
    setFont(font);
    const int tabSize = m_settings.value(SettingKeys::editorTabSize);
    m_indentKeys->setUnit(tabSize > 0 ? QString(tabSize, u' ') : u"\t"_s);
    setTabStopDistance(QFontMetricsF(font).horizontalAdvance(u' ') * (tabSize > 0 ? tabSize : 4));
    setLineWrapMode(m_settings.value(SettingKeys::editorWordWrap) ? QPlainTextEdit::WidgetWidth
                                                                  : QPlainTextEdit::NoWrap);
    const bool highlighting = m_settings.value(SettingKeys::syntaxHighlighting);
    if (highlighting != m_highlighter->enabled) {
        m_highlighter->enabled = highlighting;
        m_highlighter->rehighlight();
    }
}

QTextDocument* ScriptTextEdit::newDocument(const QString& text, QObject* parent) const
{
    auto* created = new QTextDocument(parent);
    created->setDocumentLayout(new QPlainTextDocumentLayout(created));
    created->setDefaultFont(font());
    created->setDefaultTextOption(document()->defaultTextOption());
    created->setDocumentMargin(document()->documentMargin());
    created->setPlainText(text);
    return created;
}

void ScriptTextEdit::showDocument(QTextDocument* shown)
{
    if (document() == shown)
        return;
    // A document kept while the preferences changed catches up now.
    shown->setDefaultFont(font());
    QTextOption option = shown->defaultTextOption();
    option.setTabStopDistance(tabStopDistance());
    option.setWrapMode(document()->defaultTextOption().wrapMode());
    shown->setDefaultTextOption(option);
    m_highlighter->setDocument(shown);
    setDocument(shown);
}

void ScriptTextEdit::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_highlighter->palette = palette();
        m_highlighter->rehighlight();
    }
}

QWidget* labelledScript(const QString& label, ScriptTextEdit* field)
{
    auto* piece = new QWidget;
    auto* title = new QLabel(label);
    QFont bold = title->font();
    bold.setWeight(QFont::DemiBold);
    title->setFont(bold);
    title->setBuddy(field);
    field->setAccessibleName(label);
    auto* layout = new QVBoxLayout(piece);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(title);
    layout->addWidget(field, 1);
    return piece;
}

ScriptsEditor::ScriptsEditor(RequestViewModel& viewModel, const Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_preRequest(new ScriptTextEdit(settings))
    , m_test(new ScriptTextEdit(settings))
{
    m_preRequest->setObjectName(u"preRequestScriptField"_s);
    m_preRequest->setPlaceholderText(tr("// Runs before the request is sent"));
    m_test->setObjectName(u"testScriptField"_s);
    m_test->setPlaceholderText(tr("// Runs after the response arrives, for example:\n"
                                  "pm.test(\"Status is 200\", () => {\n"
                                  "  pm.response.to.have.status(200);\n"
                                  "});"));
    auto* split = new QSplitter(Qt::Vertical);
    split->setObjectName(u"scriptsSplit"_s);
    split->setChildrenCollapsible(false);
    split->addWidget(labelledScript(tr("Pre-request"), m_preRequest));
    split->addWidget(labelledScript(tr("Tests"), m_test));
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(split);

    m_shownTab = m_viewModel.shownTab();
    TabDocuments& first = m_documents[m_shownTab];
    show(m_preRequest, first.preRequest, m_viewModel.request().preRequestScript);
    show(m_test, first.test, m_viewModel.request().testScript);
    connect(m_preRequest, &QPlainTextEdit::textChanged, this, &ScriptsEditor::writeBack);
    connect(m_test, &QPlainTextEdit::textChanged, this, &ScriptsEditor::writeBack);
    connect(&m_viewModel, &RequestViewModel::requestChanged, this,
        &ScriptsEditor::handleRequestChanged);
}

void ScriptsEditor::show(
    ScriptTextEdit* field, QPointer<QTextDocument>& document, const QString& text)
{
    m_syncing = true;
    if (!document)
        document = field->newDocument(text, this);
    else if (document->toPlainText() != text)
        // Changed elsewhere (a reload, a pasted command): its history no longer fits the text.
        document->setPlainText(text);
    field->showDocument(document);
    m_syncing = false;
}

void ScriptsEditor::handleRequestChanged()
{
    if (m_syncing)
        return;
    const QUuid left = std::exchange(m_shownTab, m_viewModel.shownTab());
    TabDocuments& shown = m_documents[m_shownTab];
    const APIRequest& request = m_viewModel.request();
    show(m_preRequest, shown.preRequest, request.preRequestScript);
    show(m_test, shown.test, request.testScript);
    // A tab closed while it was shown has left the fields now.
    if (left != m_shownTab && m_documents[left].closed)
        forget(left);
}

void ScriptsEditor::writeBack()
{
    if (m_syncing)
        return;
    APIRequest request = m_viewModel.request();
    request.preRequestScript = m_preRequest->toPlainText();
    request.testScript = m_test->toPlainText();
    if (request.preRequestScript == m_viewModel.request().preRequestScript
        && request.testScript == m_viewModel.request().testScript)
        return;
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
}

void ScriptsEditor::keepTabs(const QList<QUuid>& openTabs)
{
    QList<QUuid> gone;
    for (auto& [tabID, documents] : m_documents) {
        if (openTabs.contains(tabID))
            continue;
        // Still in the fields: it goes when they show another tab.
        if (tabID == m_shownTab)
            documents.closed = true;
        else
            gone.append(tabID);
    }
    for (const QUuid& tabID : std::as_const(gone))
        forget(tabID);
}

void ScriptsEditor::forget(QUuid tabID)
{
    const auto found = m_documents.find(tabID);
    if (found == m_documents.end())
        return;
    delete found->second.preRequest;
    delete found->second.test;
    m_documents.erase(found);
}

} // namespace mako
