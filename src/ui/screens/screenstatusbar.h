#pragma once

#include "ui/common/colors.h"

#include <QWidget>

#include <optional>

class QLabel;

namespace mako {

/// The one-line bar at the foot of a protocol screen: the protocol's symbol and name, whether
/// it is connected, a note (a failure, a content type) and a count at the right.
class ScreenStatusBar : public QWidget {
    Q_OBJECT

public:
    ScreenStatusBar(QStringView symbol, const QString& title,
        std::optional<SystemColor> titleColor = std::nullopt, QWidget* parent = nullptr);

    void setConnected(bool connected);
    /// Shows `text` (hidden when empty), in red when it tells of a failure.
    void setNote(const QString& text, bool isFailure = false);
    /// Hidden when empty.
    void setCount(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void recolour();

    std::optional<SystemColor> m_titleColor;
    bool m_noteIsFailure = false;
    QLabel* m_title;
    QLabel* m_connected;
    QLabel* m_note;
    QLabel* m_count;
};

} // namespace mako
