#pragma once

#include "shellrun.h"
#include "ui/preferences/preferenceswindow.h"
#include "windowtesting.h"

#include <QApplication>
#include <QHash>
#include <QSpinBox>
#include <QTimer>

namespace mako::test {

// Keeps secrets in memory, standing in for the desktop's secret service.
struct FakeSecretStore : SecretStore {
    QHash<QString, QString>* entries;
    int* reads;
    int* writes;
    explicit FakeSecretStore(
        QHash<QString, QString>* held, int* readCount = nullptr, int* writeCount = nullptr)
        : entries(held)
        , reads(readCount)
        , writes(writeCount)
    { }
    void read(const QString& key, ReadDone done) override
    {
        if (reads)
            ++*reads;
        // The answer is taken now: the store may be gone by the time it is delivered.
        QTimer::singleShot(0, [found = entries->value(key), done] { done(found, true); });
    }
    void write(const QString& key, const QString& secret, WriteDone done) override
    {
        if (writes)
            ++*writes;
        // As the secret service does, an empty secret removes the entry.
        if (secret.isEmpty())
            entries->remove(key);
        else
            entries->insert(key, secret);
        QTimer::singleShot(0, [done] { done(true); });
    }
};

/// The application with its Preferences window open.
struct PreferencesRun : ShellRun {
    explicit PreferencesRun(const QHash<QString, QVariant>& preferences = {},
        std::unique_ptr<SecretStore> secrets = nullptr)
        : ShellRun({}, preferences, nullptr, std::move(secrets))
    {
        app->openPreferences();
        preferences_
            = qobject_cast<PreferencesWindow*>(visibleDialog(QStringLiteral("preferencesWindow")));
        EXPECT_TRUE(preferences_);
        if (preferences_) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(preferences_));
        }
    }

    PreferencesWindow* preferencesWindow() const { return preferences_; }
    template <typename T = QWidget> T* control(const QString& objectName) const
    {
        return child<T>(preferences_, objectName);
    }
    /// Brings the tab that holds `objectName` to the front.
    void showTab(const QString& tabName) const
    {
        QWidget* tab = control(tabName);
        for (int index = 0; tab && index < preferences_->tabs()->count(); ++index) {
            if (preferences_->tabs()->widget(index)->isAncestorOf(tab))
                preferences_->tabs()->setCurrentIndex(index);
        }
    }
    /// Replaces the text of a number field as a user would.
    void type(QAbstractSpinBox* field, const QString& text) const
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
    }
    Settings& settings() const { return app->settings(); }

private:
    PreferencesWindow* preferences_ = nullptr;
};

} // namespace mako::test
