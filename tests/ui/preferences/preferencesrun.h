#pragma once

#include "shellrun.h"
#include "support/fakesecretstore.h"
#include "ui/preferences/preferenceswindow.h"
#include "windowtesting.h"

#include <QApplication>
#include <QSpinBox>

namespace mako::test {

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
