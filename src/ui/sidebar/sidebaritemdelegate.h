#pragma once

#include <QStyledItemDelegate>

namespace mako {

class Settings;

/// Draws the rows of the collection tree and the search results: a request row leads with its
/// method in the method's colour (unless the "showMethodBadges" preference is off), a
/// collection or folder row ends with its number of requests.
class SidebarItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kMethodWidth = 46;

    /// `settings` must outlive the delegate.
    SidebarItemDelegate(const Settings& settings, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const Settings& m_settings;
};

} // namespace mako
