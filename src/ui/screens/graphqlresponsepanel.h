#pragma once

#include <QStackedWidget>

class QLabel;
class QPlainTextEdit;

namespace mako {

class StatusBadge;

/// The right side of the GraphQL screen: a hint before the first query, a progress indicator
/// while one runs, its failure, or its status, time and pretty-printed body.
class GraphQLResponsePanel : public QStackedWidget {
    Q_OBJECT

public:
    explicit GraphQLResponsePanel(QWidget* parent = nullptr);

    void showPlaceholder();
    void showLoading();
    void showError(const QString& description);
    /// `duration` in seconds; `body` the text to show, as formatted.
    void showResponse(int statusCode, double duration, const QString& body);

private:
    QWidget* buildMessagePage(QStringView symbol, QLabel* text);
    QWidget* buildResponsePage();

    QWidget* m_placeholder;
    QWidget* m_loading;
    QLabel* m_errorText;
    QWidget* m_error;
    StatusBadge* m_status;
    QLabel* m_duration;
    QPlainTextEdit* m_body;
    QWidget* m_response;
};

} // namespace mako
