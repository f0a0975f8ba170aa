#pragma once

#include "ui/editor/keyvalueeditor.h"

#include <QWidget>

class QButtonGroup;
class QLabel;
class QStackedWidget;

namespace mako {

class AppState;
class AuthEditor;
class BodyEditor;
class CodeGeneratorView;
class RequestViewModel;
class ScriptsEditor;
class Settings;

/// How many rows take part when the request is sent: enabled, with a key.
int applicableRowCount(const QList<KeyValuePair>& rows);

/// The six tabs under the URL bar: "Params", "Headers", "Body", "Auth", "Scripts" and "Code".
/// Params and Headers show how many of their rows are sent, Scripts a dot while the request has
/// a script.
class RequestDetailTabs : public QWidget {
    Q_OBJECT

public:
    enum Tab { ParamsTab, HeadersTab, BodyTab, AuthTab, ScriptsTab, CodeTab };

    RequestDetailTabs(RequestViewModel& viewModel, Settings& settings,
        KeyValueEditor::EnvironmentSource environment, QWidget* parent = nullptr);

    int selectedTab() const;
    void selectTab(int tab);
    BodyEditor* bodyEditor() const { return m_body; }
    ScriptsEditor* scriptsEditor() const { return m_scripts; }
    /// Lets the Auth tab offer the kinds that need the application (see AuthEditor::attach) and
    /// the Code tab show the auth the open request inherits.
    void attach(AppState& state);
    /// Repaints the placeholders after the variables changed.
    void refreshVariables();

private:
    QWidget* buildTabRow();
    void handleRequestChanged();
    void styleTabs();

    RequestViewModel& m_viewModel;
    QButtonGroup* m_tabs;
    QStackedWidget* m_pages;
    KeyValueEditor* m_params;
    KeyValueEditor* m_headers;
    BodyEditor* m_body;
    AuthEditor* m_auth;
    ScriptsEditor* m_scripts;
    CodeGeneratorView* m_code;
    QLabel* m_paramsBadge = nullptr;
    QLabel* m_headersBadge = nullptr;
    QWidget* m_scriptsMarker = nullptr;
};

} // namespace mako
