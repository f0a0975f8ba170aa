#pragma once

#include "model/apiresponse.h"

#include <QUuid>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QScrollArea;
class QStackedWidget;

namespace mako {

class BodyDocument;
class BodyView;
class ResultChannel;

/// The Body tab: the reply's text, pretty or raw, filtered by the search text, in a BodyView;
/// an image reply as its picture in the pretty form. Says "Working..." while the text is
/// still being made, indexed or filtered.
class BodyPane : public QWidget {
    Q_OBJECT

public:
    explicit BodyPane(QWidget* parent = nullptr);
    ~BodyPane() override;

    /// Shows `response`; nothing changes when it is the one shown already. Null clears.
    void showResponse(const APIResponse* response);
    void setRaw(bool raw);
    void setQuery(const QString& query);
    void setHighlighting(bool enabled);
    void setLineNumbersVisible(bool visible);

    BodyView* view() const { return m_view; }
    /// The document of the form shown now.
    BodyDocument* document() const;

private:
    void showForm();
    void loadRaw();
    void decodeImage();
    void updateWorking();
    void updateHighlighter();
    QWidget* buildFindBar();
    void openFind();
    void findNext();
    /// Drops a search in flight, so that it neither lands in another text nor keeps saying
    /// it is finding.
    void stopFinding();

    std::optional<APIResponse> m_response;
    BodyDocument* m_pretty;
    BodyDocument* m_raw;
    bool m_rawLoaded = false;
    bool m_showRaw = false;
    bool m_highlighting = false;
    bool m_decodingImage = false;
    QString m_query;
    QStackedWidget* m_stack;
    BodyView* m_view;
    QScrollArea* m_imageArea;
    QLabel* m_image;
    QLabel* m_working;
    QWidget* m_findBar;
    QLineEdit* m_findField;
    QLabel* m_findStatus;
    std::shared_ptr<ResultChannel> m_imageWork;
};

} // namespace mako
