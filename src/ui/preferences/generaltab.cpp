#include "ui/preferences/generaltab.h"

#include "state/settings.h"
#include "ui/preferences/preferencebindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QWidget* sidebarWidthRow(Settings& settings)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(u"sidebarWidthSlider"_s);
    slider->setAccessibleName(QObject::tr("Sidebar Width"));
    slider->setRange(200 / GeneralTab::kSidebarWidthStep, 400 / GeneralTab::kSidebarWidthStep);
    slider->setPageStep(1);
    slider->setFixedWidth(150);
    bindSlider(slider, settings, SettingKeys::sidebarWidth, GeneralTab::kSidebarWidthStep);
    auto* value = new QLabel;
    value->setObjectName(u"sidebarWidthValue"_s);
    value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    value->setFixedWidth(40);
    followKey(settings, SettingKeys::sidebarWidth.name, value, [value, &settings] {
        value->setText(
            QObject::tr("%1px").arg(std::lround(settings.value(SettingKeys::sidebarWidth))));
    });
    layout->addWidget(slider);
    layout->addWidget(value);
    return row;
}

} // namespace

GeneralTab::GeneralTab(Settings& settings, QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* page = makeTabPage(this, u"generalTab"_s);

    QFormLayout* appearance = addSection(page, tr("Appearance"), u"appearanceSection"_s);
    QComboBox* theme = makeComboBox(u"themePicker"_s,
        {{tr("System"), u"system"_s}, {tr("Light"), u"light"_s}, {tr("Dark"), u"dark"_s}});
    bindComboBox(theme, settings, SettingKeys::appearance);
    appearance->addRow(tr("Theme"), theme);
    QComboBox* accent = makeComboBox(u"accentColorPicker"_s,
        {{tr("Blue"), u"blue"_s}, {tr("Purple"), u"purple"_s}, {tr("Indigo"), u"indigo"_s},
            {tr("Teal"), u"teal"_s}, {tr("Orange"), u"orange"_s}});
    bindComboBox(accent, settings, SettingKeys::accentColorName);
    appearance->addRow(tr("Accent Color"), accent);

    QFormLayout* behavior = addSection(page, tr("Behavior"), u"behaviorSection"_s);
    behavior->addRow(tr("Sidebar Width"), sidebarWidthRow(settings));
    behavior->addRow(makeToggle(u"showMethodBadgesToggle"_s, tr("Show method badges in sidebar"),
        settings, SettingKeys::showMethodBadges));
    behavior->addRow(makeToggle(u"confirmBeforeDeleteToggle"_s, tr("Confirm before deleting items"),
        settings, SettingKeys::confirmBeforeDelete));
    behavior->addRow(makeToggle(u"reopenLastRequestToggle"_s, tr("Reopen last request on launch"),
        settings, SettingKeys::reopenLastRequest));
    page->addStretch();
}

} // namespace mako
