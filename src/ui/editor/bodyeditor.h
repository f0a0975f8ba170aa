#pragma once

#include "model/requestenums.h"
#include "ui/editor/keyvalueeditor.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUuid>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QStackedWidget;
class QTextDocument;

namespace mako {

class IndentKeys;
class RequestViewModel;
class ResultChannel;
class Settings;

/// The size in pixels of the body editor's type for a stored "editorFontSize": 12 for none or
/// a value of 0 or less, else the value within 9 to 20, rounded.
int editorPixelSize(double stored);

/// The body's text field; tells when text was pasted into it. Colours the {{name}}
/// placeholders in view as the URL field does, and explains the one under the pointer.
class BodyTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit BodyTextEdit(KeyValueEditor::EnvironmentSource environment, QWidget* parent = nullptr);

    /// Colours the placeholders again after the variables changed.
    void refreshVariables();

Q_SIGNALS:
    void pasted();

protected:
    void insertFromMimeData(const QMimeData* source) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

public:
    /// What Ctrl+] indents by: that many spaces, or a tab character for 0. Tab moves the
    /// focus on, as everywhere else in the window.
    void setTabSize(int tabSize);

private:
    struct Coloured {
        int position;
        int length;
        bool isDefined;
        bool operator==(const Coloured&) const = default;
    };

    void scheduleColouring();
    void colourVisiblePlaceholders();

    KeyValueEditor::EnvironmentSource m_environment;
    IndentKeys* m_indentKeys;
    QList<Coloured> m_coloured;
    bool m_colouringScheduled = false;
};

/// The Body tab: the body kind, and the text of a JSON or raw body checked as it is typed, or
/// the fields of a form. A form is made of the request's rows (the same ones as the Params
/// tab) and its text is not sent, so while the kind is Form Data the tab edits those rows.
///
/// Each tab of the view model (`RequestViewModel::shownTab`) keeps its own text document, with
/// its undo history, cursor and scroll position; switching tabs shows that document again
/// instead of filling the field anew. "Format" works on a pool thread while the field stays
/// editable; an edit made before its result is in place wins, and the result is dropped.
class BodyEditor : public QWidget {
    Q_OBJECT

public:
    static inline const QString kInvalidJSON = QStringLiteral("Invalid JSON");
    static inline const QString kCannotFormat = QStringLiteral("Cannot format — invalid JSON");
    /// Above this many characters the text reaches the request in pauses of typing and is
    /// checked off the UI thread, so that typing stays as quick as in a bare editor (checking a
    /// text this long takes a few milliseconds).
    static constexpr qsizetype kLiveLimit = 1 << 18;
    static constexpr int kPauseMs = 250;

    BodyEditor(RequestViewModel& viewModel, Settings& settings,
        KeyValueEditor::EnvironmentSource environment, QWidget* parent = nullptr);
    ~BodyEditor() override;

    /// The message under the editor, if any.
    const std::optional<QString>& jsonError() const { return m_jsonError; }
    /// Hands text typed but not yet written to the request over to it now.
    void flushPendingText();
    /// Colours the placeholders again after the variables changed.
    void refreshVariables();
    /// Forgets the text of every tab not in `openTabs` (a shown tab's text goes once another
    /// tab is shown).
    void keepTabs(const QList<QUuid>& openTabs);
    /// A Format is running and its result not yet in place.
    bool isFormatting() const { return m_formatting != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildTypeRow();
    QWidget* buildTextPage();
    void applySettings();
    void handleRequestChanged();
    void handleTypeClicked(int id);
    void handleTextChanged();
    void handlePasted();
    void recordEdit(int position, int removed, int added);
    void writeText();
    void format(bool quietly);
    void applyFormatted(const QString& pretty, QTextDocument* built);
    void undoFormat(QTextDocument* formatted, QTextDocument* before, const QTextCursor& cursor,
        const QString& text);
    void cancelFormat();
    QTextDocument* newDocument(const QString& text);
    void showTab(const QUuid& tabID, const QString& body);
    void showDocument(QTextDocument* document);
    void setShownBody(const QString& body);
    void validate(const QString& text);
    void checkInBackground();
    void finishBackgroundCheck(quint64 generation, bool valid);
    void applyValidation(quint64 generation, bool valid);
    void setJsonError(const std::optional<QString>& error);
    void showType(RequestBodyType type);

    RequestViewModel& m_viewModel;
    Settings& m_settings;
    QButtonGroup* m_types;
    QAbstractButton* m_formatButton;
    QStackedWidget* m_pages;
    BodyTextEdit* m_text;
    KeyValueEditor* m_form;
    QWidget* m_errorRow;
    QLabel* m_error;
    QTimer m_pause;
    std::optional<QString> m_jsonError;
    /// The text last written to the request, and the field's changes since.
    QString m_shownBody;
    struct Edit {
        int position;
        int removed;
        QString added;
    };
    QList<Edit> m_edits;
    /// The tabs' documents; the shown tab's text and edits are in the members above while it
    /// is shown, and kept here while another tab is.
    struct TabText {
        QPointer<QTextDocument> document;
        QTextCursor cursor;
        int scrollX = 0;
        int scrollY = 0;
        QString shownBody;
        QList<Edit> edits;
        bool pending = false;
        bool closed = false;
    };
    std::map<QUuid, TabText> m_texts;
    QUuid m_shownTab;
    std::shared_ptr<ResultChannel> m_formatting;
    quint64 m_validation = 0;
    bool m_checking = false;
    bool m_checkAgain = false;
    bool m_syncing = false;
    bool m_pending = false;
};

} // namespace mako
