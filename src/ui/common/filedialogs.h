#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace mako {

/// The one way the window asks the user for a file. The answer comes back later (the panels
/// are window-modal, not a nested event loop), and only when the user chose a file. Tests put
/// in their own answer.
class FileDialogs {
public:
    using Chosen = std::function<void(const QString& path)>;

    virtual ~FileDialogs() = default;

    /// Asks for an existing JSON file to read.
    virtual void openJson(QWidget* window, const QString& title, Chosen chosen) = 0;
    /// Asks for an existing file of any kind to read.
    virtual void openFile(QWidget* window, const QString& title, Chosen chosen) = 0;
    /// Asks for a folder; `title` says what it is for.
    virtual void openFolder(QWidget* window, const QString& title, Chosen chosen) = 0;
    /// Asks where to write a JSON file, offering `suggestedName`.
    virtual void saveJson(
        QWidget* window, const QString& title, const QString& suggestedName, Chosen chosen)
        = 0;
    /// Asks where to write a file of any kind, offering `suggestedName`.
    virtual void saveFile(
        QWidget* window, const QString& title, const QString& suggestedName, Chosen chosen)
        = 0;
};

/// The platform's open and save panels.
class SystemFileDialogs : public FileDialogs {
public:
    void openJson(QWidget* window, const QString& title, Chosen chosen) override;
    void openFile(QWidget* window, const QString& title, Chosen chosen) override;
    void openFolder(QWidget* window, const QString& title, Chosen chosen) override;
    void saveJson(QWidget* window, const QString& title, const QString& suggestedName,
        Chosen chosen) override;
    void saveFile(QWidget* window, const QString& title, const QString& suggestedName,
        Chosen chosen) override;
};

} // namespace mako
