#pragma once

#include <QWidget>

class QLineEdit;
class QTableView;
class QSortFilterProxyModel;
class QToolButton;

namespace mako {

class StreamListModel;

/// A transcript or event list with a filter field and a "Clear" button above it. The list
/// follows the newest row as rows arrive, unless the user has scrolled up to read older ones.
class TranscriptPane : public QWidget {
    Q_OBJECT

public:
    /// `model` stays the caller's; `twoLineRows` shows a heading above each row's text.
    TranscriptPane(StreamListModel* model, bool twoLineRows, const QString& filterPlaceholder,
        QWidget* parent = nullptr);

    QTableView* view() const { return m_view; }

private:
    void setUpView(bool twoLineRows, const QString& accessibleName);
    void followNewestRows();
    void applyFilter(const QString& text);
    void copySelection() const;
    void showContextMenu(const QPoint& position);

    StreamListModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QLineEdit* m_filter;
    QToolButton* m_clear;
    QTableView* m_view;
    bool m_followNewest = true;
};

} // namespace mako
