#pragma once

#include <QObject>
#include <QPointer>
#include <QUuid>

class QWidget;

namespace mako {

class AppState;
class CurlImportSheet;
class FileDialogs;

/// The menu commands that read or write a file the user picks, and the cURL import. Each asks
/// through the window's sheets and file panels and hands the choice to the state, which
/// reports failures in its alert.
class FileCommands : public QObject {
    Q_OBJECT

public:
    FileCommands(AppState& state, FileDialogs& dialogs, QWidget* window);

    void importPostmanCollection();
    void importPostmanEnvironment();
    void importMakoCollection();
    /// Asks for a folder and opens the collection kept there.
    void openFolderCollection();
    /// Exports the collection selected in the sidebar, or asks which one first.
    void exportCollection();
    /// Opens the cURL import sheet, or brings it forward when it is open already.
    void importCurl();

private:
    void askForFileToImport(const QString& title, void (AppState::*import)(const QString&));
    void exportTo(const QUuid& collectionID);

    AppState& m_state;
    FileDialogs& m_dialogs;
    QWidget* m_window;
    QPointer<CurlImportSheet> m_curlSheet;
};

} // namespace mako
