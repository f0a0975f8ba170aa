#pragma once

#include "model/apienvironment.h"

#include <QObject>

#include <functional>
#include <optional>

class QLineEdit;

namespace mako {

/// Colours the {{name}} placeholders of a one-line field as it is typed (the link colour when a
/// variable defines them, red when none does) and explains the one under the pointer in a
/// tooltip. A masked field keeps its secrets: its tooltip names undefined placeholders only,
/// never a value.
class LineFieldVariables : public QObject {
    Q_OBJECT

public:
    using EnvironmentSource = std::function<std::optional<APIEnvironment>()>;

    /// Works on `field` for as long as it lives; `field` owns it.
    LineFieldVariables(QLineEdit* field, EnvironmentSource environment);

    /// Colours the placeholders again, after the variables changed.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showToolTip(QEvent* event);

    QLineEdit* m_field;
    EnvironmentSource m_environment;
    bool m_composing = false;
};

} // namespace mako
