#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>

namespace mako {

enum class SystemColor;

/// One action of the welcome screen: a tinted symbol, a title and, when it has one, the
/// shortcut that does the same from anywhere. The title is the button's text, so screen
/// readers read what is drawn.
class QuickActionButton : public QAbstractButton {
    Q_OBJECT

public:
    QuickActionButton(
        const QString& title, QStringView symbol, SystemColor color, QWidget* parent = nullptr);

    /// The key shown under the title, and told to screen readers; empty for none.
    void setShortcutText(const QString& shortcut);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    SystemColor m_color;
    QString m_shortcut;
    bool m_isHovering = false;
};

} // namespace mako
