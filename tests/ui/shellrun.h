#pragma once

#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"
#include "ui/common/filedialogs.h"
#include "ui/common/proxypassword.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/makoapp.h"

#include <QAction>
#include <QHash>
#include <QTest>
#include <QVariant>

#include <gtest/gtest.h>

#include <memory>

namespace mako::test {

/// Answers every file panel with `answer` (none: the user cancels) and records the questions.
struct ScriptedFileDialogs : FileDialogs {
    QString answer;
    QStringList titles;
    QStringList suggestedNames;

    void openJson(QWidget*, const QString& title, Chosen chosen) override
    {
        titles.append(title);
        if (!answer.isEmpty())
            chosen(answer);
    }
    void openFile(QWidget* window, const QString& title, Chosen chosen) override
    {
        openJson(window, title, std::move(chosen));
    }
    void openFolder(QWidget* window, const QString& title, Chosen chosen) override
    {
        openJson(window, title, std::move(chosen));
    }
    void saveJson(
        QWidget*, const QString& title, const QString& suggestedName, Chosen chosen) override
    {
        titles.append(title);
        suggestedNames.append(suggestedName);
        if (!answer.isEmpty())
            chosen(answer);
    }
    void saveFile(
        QWidget* window, const QString& title, const QString& suggestedName, Chosen chosen) override
    {
        saveJson(window, title, suggestedName, std::move(chosen));
    }
};

/// The application on a temporary folder and preference file, its window shown and its data
/// loaded.
class ShellRun {
public:
    /// `files`: data files to start with; `preferences`: stored before the start;
    /// `secrets`: the secret store (none given: one that keeps nothing, never the user's).
    explicit ShellRun(const QHash<QString, QByteArray>& files = {},
        const QHash<QString, QVariant>& preferences = {}, const TempAppFolder* reuse = nullptr,
        std::unique_ptr<SecretStore> secrets = nullptr);
    ~ShellRun();

    AppState& state() const { return app->appState(); }
    MainWindow& window() const { return app->mainWindow(); }
    QAction* action(const QString& objectName) const;
    template <typename T = QWidget> T* find(const QString& objectName) const
    {
        return window().findChild<T*>(objectName);
    }
    /// Makes the window active, so that its shortcuts take keys.
    bool activate() const;

    std::unique_ptr<TempAppFolder> ownFolder;
    const TempAppFolder& folder;
    ScriptedFileDialogs* dialogs = nullptr;
    std::unique_ptr<MakoApp> app;
};

/// A window-modal dialog of the window that is on screen, with `objectName`, or null.
QWidget* visibleDialog(const QString& objectName);

QString testDataFile(const QString& relativePath);

} // namespace mako::test
