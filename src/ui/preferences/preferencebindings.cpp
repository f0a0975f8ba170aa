#include "ui/preferences/preferencebindings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const char* const kValueProperty = "value";

template <typename T> void selectData(QComboBox* combo, const T& value)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(std::max(0, combo->findData(QVariant::fromValue(value))));
}

template <typename T> void bindCombo(QComboBox* combo, Settings& settings, const SettingKey<T>& key)
{
    followKey(settings, key.name, combo,
        [combo, &settings, key] { selectData(combo, settings.value(key)); });
    QObject::connect(combo, &QComboBox::activated, combo, [combo, &settings, key](int index) {
        settings.setValue(key, combo->itemData(index).value<T>());
    });
}

} // namespace

void followKey(
    Settings& settings, const QString& key, QObject* context, const std::function<void()>& refresh)
{
    refresh();
    QObject::connect(
        &settings, &Settings::valueChanged, context, [key, refresh](const QString& changed) {
            if (changed == key)
                refresh();
        });
}

void bindCheckBox(QCheckBox* box, Settings& settings, const SettingKey<bool>& key)
{
    followKey(settings, key.name, box, [box, &settings, key] {
        const QSignalBlocker blocker(box);
        box->setChecked(settings.value(key));
    });
    QObject::connect(box, &QCheckBox::toggled, box,
        [&settings, key](bool checked) { settings.setValue(key, checked); });
}

void bindComboBox(QComboBox* combo, Settings& settings, const SettingKey<QString>& key)
{
    bindCombo(combo, settings, key);
}

void bindComboBox(QComboBox* combo, Settings& settings, const SettingKey<int>& key)
{
    bindCombo(combo, settings, key);
}

void bindSpinBox(QSpinBox* spin, Settings& settings, const SettingKey<int>& key)
{
    followKey(settings, key.name, spin, [spin, &settings, key] {
        const QSignalBlocker blocker(spin);
        spin->setValue(settings.value(key));
    });
    QObject::connect(spin, &QSpinBox::valueChanged, spin,
        [&settings, key](int value) { settings.setValue(key, value); });
}

void bindSpinBox(QSpinBox* spin, Settings& settings, const SettingKey<double>& key)
{
    followKey(settings, key.name, spin, [spin, &settings, key] {
        const QSignalBlocker blocker(spin);
        spin->setValue(int(std::lround(settings.value(key))));
    });
    QObject::connect(spin, &QSpinBox::valueChanged, spin,
        [&settings, key](int value) { settings.setValue(key, double(value)); });
}

void bindSlider(QSlider* slider, Settings& settings, const SettingKey<double>& key, int step)
{
    followKey(settings, key.name, slider, [slider, &settings, key, step] {
        const QSignalBlocker blocker(slider);
        slider->setValue(int(std::lround(settings.value(key) / step)));
    });
    QObject::connect(slider, &QSlider::valueChanged, slider,
        [&settings, key, step](int value) { settings.setValue(key, double(value * step)); });
}

void bindLineEdit(QLineEdit* edit, Settings& settings, const SettingKey<QString>& key)
{
    followKey(settings, key.name, edit, [edit, &settings, key] {
        const QString value = settings.value(key);
        // Rewriting the same text would move the cursor of someone typing.
        if (edit->text() != value) {
            const QSignalBlocker blocker(edit);
            edit->setText(value);
        }
    });
    QObject::connect(edit, &QLineEdit::textEdited, edit,
        [&settings, key](const QString& text) { settings.setValue(key, text); });
}

void bindButtonGroup(QButtonGroup* group, Settings& settings, const SettingKey<QString>& key)
{
    followKey(settings, key.name, group, [group, &settings, key] {
        const QString value = settings.value(key);
        const QList<QAbstractButton*> buttons = group->buttons();
        QAbstractButton* match = buttons.value(0);
        for (QAbstractButton* button : buttons) {
            if (button->property(kValueProperty).toString() == value)
                match = button;
        }
        if (match) {
            const QSignalBlocker blocker(group);
            match->setChecked(true);
        }
    });
    QObject::connect(
        group, &QButtonGroup::buttonClicked, group, [&settings, key](QAbstractButton* button) {
            settings.setValue(key, button->property(kValueProperty).toString());
        });
}

QCheckBox* makeToggle(
    const QString& objectName, const QString& text, Settings& settings, const SettingKey<bool>& key)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(objectName);
    // As wide as its text: a click beside the text does not toggle it, so the box must not
    // claim the room there.
    box->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    bindCheckBox(box, settings, key);
    return box;
}

QComboBox* makeComboBox(const QString& objectName, const QList<std::pair<QString, QVariant>>& items)
{
    auto* combo = new QComboBox;
    combo->setObjectName(objectName);
    for (const auto& [label, value] : items)
        combo->addItem(label, value);
    return combo;
}

QFormLayout* addSection(QVBoxLayout* tab, const QString& title, const QString& objectName)
{
    auto* section = new QGroupBox(title);
    section->setObjectName(objectName);
    auto* form = new QFormLayout(section);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    tab->addWidget(section);
    return form;
}

QVBoxLayout* makeTabPage(QWidget* page, const QString& objectName)
{
    page->setObjectName(objectName);
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(10);
    return column;
}

} // namespace mako
