#pragma once

#include "model/apienvironment.h"

#include <QLineEdit>

#include <functional>
#include <optional>

class QCompleter;
class QStringListModel;

namespace mako {

class LineFieldVariables;

/// The URL text field: colours {{name}} placeholders (the accent colour when a variable
/// defines them, red when none does) and explains them in a tooltip, completes from the recent
/// URLs, completes an open {{ with the names of the variables (the environment's own, then the
/// dynamic ones), and hands a pasted curl command to `curlPasted` instead of typing it into the
/// URL.
class UrlField : public QLineEdit {
    Q_OBJECT

public:
    using EnvironmentSource = std::function<std::optional<APIEnvironment>()>;
    /// Takes a pasted curl command; false when it was not one, and the text is pasted as is.
    using CurlHandler = std::function<bool(const QString&)>;

    UrlField(EnvironmentSource environment, QWidget* parent = nullptr);

    void setCurlHandler(CurlHandler handler) { m_curlHandler = std::move(handler); }
    void setRecentURLs(const QStringList& urls);
    /// Recolours the placeholders after the variables changed.
    void refreshVariables();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void pasteFromClipboard();
    /// What is typed after the last {{ before the cursor that no }} closes yet, if any.
    std::optional<QString> openPlaceholder() const;
    void completeVariable();
    void insertVariable(const QString& name);

    EnvironmentSource m_environment;
    LineFieldVariables* m_variables;
    CurlHandler m_curlHandler;
    QStringListModel* m_recent;
    QStringListModel* m_variableNames;
    QCompleter* m_variableCompleter;
};

} // namespace mako
