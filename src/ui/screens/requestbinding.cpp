#include "ui/screens/requestbinding.h"

#include "state/appstate.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace mako {

namespace {

QString openValue(const AppState& state, QString APIRequest::*member)
{
    const std::optional<APIRequest>& request = state.openRequest();
    return request ? (*request).*member : QString();
}

} // namespace

void editOpenRequest(AppState& state, const std::function<void(APIRequest&)>& edit)
{
    std::optional<APIRequest> request = state.openRequest();
    if (!request)
        return;
    edit(*request);
    state.setOpenRequest(request);
}

void bindText(QLineEdit* field, AppState& state, QString APIRequest::*member)
{
    const auto show = [field, &state, member] {
        const QString value = openValue(state, member);
        // Only a real change is shown, so the cursor stays where the user is typing.
        if (field->text() != value)
            field->setText(value);
    };
    QObject::connect(&state, &AppState::openRequestChanged, field, show);
    QObject::connect(field, &QLineEdit::textEdited, &state, [&state, member](const QString& text) {
        editOpenRequest(state, [&](APIRequest& request) { request.*member = text; });
    });
    show();
}

void bindText(QPlainTextEdit* editor, AppState& state, QString APIRequest::*member)
{
    const auto show = [editor, &state, member] {
        const QString value = openValue(state, member);
        if (editor->toPlainText() != value) {
            // setPlainText announces a change of its own; that one is not the user's edit.
            const QSignalBlocker blocker(editor);
            editor->setPlainText(value);
        }
    };
    QObject::connect(&state, &AppState::openRequestChanged, editor, show);
    QObject::connect(editor, &QPlainTextEdit::textChanged, &state, [editor, &state, member] {
        const QString text = editor->toPlainText();
        editOpenRequest(state, [&](APIRequest& request) { request.*member = text; });
    });
    show();
}

} // namespace mako
