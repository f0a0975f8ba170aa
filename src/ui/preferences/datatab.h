#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QMessageBox;

namespace mako {

class AppState;
class FileDialogs;
class PersistenceService;
class Settings;

/// The data Mako keeps: the history limit, where the files are and how much room they take,
/// clearing the history, and the whole-data backup.
class DataTab : public QWidget {
    Q_OBJECT

public:
    DataTab(Settings& settings, AppState& state, PersistenceService& persistence,
        FileDialogs& dialogs, QWidget* parent = nullptr);

    /// `path` as the user knows it: the home folder written "~".
    static QString displayPath(const QString& path);
    /// The summed size of the files directly in `folder` (0 when it cannot be listed), as the
    /// byte-count text the tab shows. Reads the disk: not for the UI thread.
    static QString folderSizeText(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildStorageButtons();
    QWidget* buildBackupButtons();
    /// Measures the folder again once the saves asked for so far have landed.
    void calculateDataSize();
    void confirmClearHistory();

    AppState& m_state;
    PersistenceService& m_persistence;
    FileDialogs& m_dialogs;
    QLabel* m_dataSize = nullptr;
    QPointer<QMessageBox> m_confirmation;
};

} // namespace mako
