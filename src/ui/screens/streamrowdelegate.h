#pragma once

#include <QStyledItemDelegate>

namespace mako {

/// Draws the rows of a StreamListModel at one fixed height: the symbol (tinted with the row's
/// accent) or a heading in the accent colour, the text on one line, and the time of day at the
/// right. Editing a row opens a read-only field, so that its text can be selected and copied.
class StreamRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    /// `twoLines`: the heading on the first line, the text below it in a monospaced font.
    explicit StreamRowDelegate(bool twoLines, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override { }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override;

private:
    QRect textRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    int lineHeight(const QStyleOptionViewItem& option) const;

    bool m_twoLines;
    QFont m_mono;
};

} // namespace mako
