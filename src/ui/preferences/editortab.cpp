#include "ui/preferences/editortab.h"

#include "state/settings.h"
#include "ui/editor/bodyeditor.h"
#include "ui/preferences/preferencebindings.h"

#include <QApplication>
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

QWidget* fontSizeRow(Settings& settings)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(u"fontSizeSlider"_s);
    slider->setAccessibleName(QObject::tr("Font Size"));
    slider->setRange(9, 20);
    slider->setPageStep(1);
    slider->setFixedWidth(150);
    bindSlider(slider, settings, SettingKeys::editorFontSize, 1);
    auto* value = new QLabel;
    value->setObjectName(u"fontSizeValue"_s);
    value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    value->setFixedWidth(35);
    followKey(settings, SettingKeys::editorFontSize.name, value, [value, &settings] {
        value->setText(
            QObject::tr("%1px").arg(std::lround(settings.value(SettingKeys::editorFontSize))));
    });
    layout->addWidget(slider);
    layout->addWidget(value);
    return row;
}

QLabel* preview(Settings& settings)
{
    auto* sample = new QLabel(u"{ \"example\": \"response\" }"_s); // untranslated: JSON sample
    sample->setObjectName(u"fontPreview"_s);
    sample->setTextInteractionFlags(Qt::NoTextInteraction);
    followKey(settings, SettingKeys::editorFontSize.name, sample, [sample, &settings] {
        QFont font = QApplication::font();
        // The size the body editor will use.
        font.setPixelSize(editorPixelSize(settings.value(SettingKeys::editorFontSize)));
        sample->setFont(font);
    });
    return sample;
}

} // namespace

EditorTab::EditorTab(Settings& settings, QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* page = makeTabPage(this, u"editorTab"_s);

    QFormLayout* font = addSection(page, tr("Font"), u"fontSection"_s);
    font->addRow(tr("Font Size"), fontSizeRow(settings));
    QComboBox* tabSize = makeComboBox(
        u"tabSizePicker"_s, {{tr("2 spaces"), 2}, {tr("4 spaces"), 4}, {tr("Tab"), 0}});
    bindComboBox(tabSize, settings, SettingKeys::editorTabSize);
    font->addRow(tr("Tab Size"), tabSize);

    QFormLayout* display = addSection(page, tr("Display"), u"displaySection"_s);
    display->addRow(makeToggle(u"showLineNumbersToggle"_s, tr("Show line numbers in response"),
        settings, SettingKeys::editorShowLineNumbers));
    display->addRow(makeToggle(
        u"wordWrapToggle"_s, tr("Word wrap long lines"), settings, SettingKeys::editorWordWrap));
    display->addRow(makeToggle(u"syntaxHighlightingToggle"_s, tr("Syntax highlighting"), settings,
        SettingKeys::syntaxHighlighting));

    QFormLayout* formatting = addSection(page, tr("Formatting"), u"formattingSection"_s);
    formatting->addRow(makeToggle(u"autoFormatJSONToggle"_s, tr("Auto-format JSON on paste"),
        settings, SettingKeys::autoFormatJSON));

    QFormLayout* previewSection = addSection(page, tr("Preview"), u"previewSection"_s);
    previewSection->addRow(preview(settings));
    page->addStretch();
}

} // namespace mako
