#pragma once

#include <QDialog>
#include <QUuid>

class QComboBox;
class QWidget;

namespace mako {

class AppState;

/// Asks which collection to export when the sidebar has none selected.
class CollectionPickerSheet : public QDialog {
    Q_OBJECT

public:
    CollectionPickerSheet(const AppState& state, QWidget* window);

Q_SIGNALS:
    /// The user chose `collectionID` and pressed "Export...".
    void collectionChosen(const QUuid& collectionID);

private:
    void handleAccepted();

    QComboBox* m_collections;
};

} // namespace mako
