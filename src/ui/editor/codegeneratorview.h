#pragma once

#include "model/apirequest.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QButtonGroup;

namespace mako {

class CodeArea;
class RequestViewModel;

/// The Code tab: the edited request as a snippet in one of the generator's languages, with
/// line numbers and colours, and a button that copies it. Follows the edits of the request once
/// they pause for kSettleMs, and only while the tab is in view.
class CodeGeneratorView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSettleMs = 200;

    explicit CodeGeneratorView(RequestViewModel& viewModel, QWidget* parent = nullptr);

    /// Turns the edited request into the one that is sent (its inherited auth), for the snippet
    /// to do what the send does.
    void setSentForm(std::function<APIRequest(const APIRequest&)> sentForm);
    /// The sent form changed without an edit of the request (its collection's auth did): the
    /// snippet follows as it does an edit.
    void sentFormChanged();
    int selectedLanguage() const { return m_selected; }
    QString generatedCode() const;

Q_SIGNALS:
    /// The snippet was generated again and is in view.
    void codeShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectLanguage(int index);
    void copy();
    void refresh();

    RequestViewModel& m_viewModel;
    std::function<APIRequest(const APIRequest&)> m_sentForm;
    QButtonGroup* m_languages;
    CodeArea* m_code;
    QTimer m_settle;
    int m_selected = 0;
    bool m_stale = true;
};

} // namespace mako
