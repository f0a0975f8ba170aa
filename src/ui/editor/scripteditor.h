#pragma once

#include "ui/common/colors.h"

#include <QList>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QUuid>
#include <QWidget>

#include <map>
#include <optional>

class QLabel;
class QTextDocument;

namespace mako {

struct APIRequest;
class IndentKeys;
class RequestViewModel;
class ScriptHighlighter;
class Settings;

/// Where a line of JavaScript starts, and where it leaves the next one: inside a `/* */`
/// comment or a back-quoted template text, both of which may run over several lines.
enum class ScriptLineState { code, blockComment, templateText };

/// The colours of one line of a script and the state it leaves the next line in.
struct ScriptLineColors {
    QList<std::optional<SystemColor>> colors;
    ScriptLineState end = ScriptLineState::code;
};

/// Whether either script of `request` holds more than blanks: only then does it run anything.
bool hasScript(const APIRequest& request);

/// Colours one line of JavaScript: keywords in pink, true, false, null, undefined and this in
/// purple, numbers in orange, quoted and template texts in green, comments in grey. A text or
/// comment is one token, so a keyword or "//" inside it stays its colour.
ScriptLineColors javaScriptLineColors(
    const QString& line, ScriptLineState start = ScriptLineState::code);

/// A monospaced multi-line field for a script: coloured as JavaScript (while the
/// "syntaxHighlighting" preference is on) and laid out by the editor preferences (type size,
/// wrapping, the indentation Ctrl+] adds). Tab moves the focus on, as in the Body tab.
class ScriptTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    /// `settings` must outlive the field.
    explicit ScriptTextEdit(const Settings& settings, QWidget* parent = nullptr);

    /// Shows `document` (which the caller owns) and colours it.
    void showDocument(QTextDocument* document);
    /// A document laid out as this field lays out its own, owned by `parent`.
    QTextDocument* newDocument(const QString& text, QObject* parent) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void applySettings();

    const Settings& m_settings;
    IndentKeys* m_indentKeys;
    ScriptHighlighter* m_highlighter;
};

/// A label over a script field, the label naming the field for screen readers.
QWidget* labelledScript(const QString& label, ScriptTextEdit* field);

/// The request editor's Scripts tab: "Pre-request" and "Tests", one over the other. Every edit
/// goes into the request at once (scripts are short). Like the Body tab, each tab of the view
/// model keeps its own two documents, with their undo histories, while it stays open.
class ScriptsEditor : public QWidget {
    Q_OBJECT

public:
    /// Both must outlive the editor.
    ScriptsEditor(RequestViewModel& viewModel, const Settings& settings, QWidget* parent = nullptr);

    ScriptTextEdit* preRequestField() const { return m_preRequest; }
    ScriptTextEdit* testField() const { return m_test; }
    /// Forgets the documents of every tab not in `openTabs` (the shown tab's go once another tab
    /// is shown).
    void keepTabs(const QList<QUuid>& openTabs);

private:
    struct TabDocuments {
        QPointer<QTextDocument> preRequest;
        QPointer<QTextDocument> test;
        bool closed = false;
    };

    void handleRequestChanged();
    void writeBack();
    void forget(QUuid tabID);
    void show(ScriptTextEdit* field, QPointer<QTextDocument>& document, const QString& text);

    RequestViewModel& m_viewModel;
    ScriptTextEdit* m_preRequest;
    ScriptTextEdit* m_test;
    std::map<QUuid, TabDocuments> m_documents;
    QUuid m_shownTab;
    bool m_syncing = false;
};

} // namespace mako
