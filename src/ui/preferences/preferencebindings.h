#pragma once

#include "state/settings.h"

#include <QList>
#include <QVariant>

#include <functional>
#include <utility>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSlider;
class QSpinBox;
class QVBoxLayout;
class QWidget;

namespace mako {

// Each control of the Preferences window shows its key's value and writes every edit back at
// once; a change made elsewhere (another window, a test) shows in the control too. There is no
// apply step and nothing to save on closing.

void bindCheckBox(QCheckBox* box, Settings& settings, const SettingKey<bool>& key);
/// The items' data are the stored values.
void bindComboBox(QComboBox* combo, Settings& settings, const SettingKey<QString>& key);
void bindComboBox(QComboBox* combo, Settings& settings, const SettingKey<int>& key);
void bindSpinBox(QSpinBox* spin, Settings& settings, const SettingKey<int>& key);
/// A whole number of a key held as a double (seconds).
void bindSpinBox(QSpinBox* spin, Settings& settings, const SettingKey<double>& key);
/// The slider counts in `step`s, so the stored value is always a multiple of `step`.
void bindSlider(QSlider* slider, Settings& settings, const SettingKey<double>& key, int step);
void bindLineEdit(QLineEdit* edit, Settings& settings, const SettingKey<QString>& key);
/// Exclusive checkable buttons; each button's "value" property holds the text it stands for.
void bindButtonGroup(QButtonGroup* group, Settings& settings, const SettingKey<QString>& key);

/// A check box bound to `key`.
QCheckBox* makeToggle(const QString& objectName, const QString& text, Settings& settings,
    const SettingKey<bool>& key);
/// A picker of (label, stored value) items; bind it with bindComboBox.
QComboBox* makeComboBox(
    const QString& objectName, const QList<std::pair<QString, QVariant>>& items);

/// Calls `refresh` now and whenever `key` changes, for as long as `context` lives.
void followKey(
    Settings& settings, const QString& key, QObject* context, const std::function<void()>& refresh);

/// A titled section of a tab's grouped form, appended to `tab`.
QFormLayout* addSection(QVBoxLayout* tab, const QString& title, const QString& objectName);

/// A tab's page: a column of sections, with room below them.
QVBoxLayout* makeTabPage(QWidget* page, const QString& objectName);

} // namespace mako
