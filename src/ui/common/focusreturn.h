#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

namespace mako {

/// Gives the keyboard focus back to the control that had it when a sheet or dialog opened, once
/// that sheet or dialog closes. Watches every dialog of the application while it lives.
class FocusReturn : public QObject {
    Q_OBJECT

public:
    explicit FocusReturn(QObject* parent = nullptr);
    ~FocusReturn() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QObject*, QPointer<QWidget>> m_openers;
};

} // namespace mako
