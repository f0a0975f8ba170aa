#include "ui/preferences/shortcutstab.h"

#include "ui/preferences/preferencebindings.h"
#include "ui/shell/shortcuts.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

struct Row {
    QString action;
    QKeySequence key;
};

QLabel* keyLabel(const QKeySequence& key)
{
    auto* label = new QLabel(shortcuts::text(key));
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setBackgroundRole(QPalette::AlternateBase);
    label->setAutoFillBackground(true);
    label->setContentsMargins(6, 2, 6, 2);
    return label;
}

} // namespace

ShortcutsTab::ShortcutsTab(QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* page = makeTabPage(this, u"shortcutsTab"_s);
    const QList<std::pair<QString, QList<Row>>> sections {
        {tr("Requests"),
            {{tr("New Request"), shortcuts::newRequest},
                {tr("Send Request"), shortcuts::sendRequest},
                {tr("Save Request"), shortcuts::saveToCollection},
                {tr("Duplicate Request"), shortcuts::duplicateRequest}}},
        {tr("Navigation"),
            {{tr("Toggle Sidebar"), shortcuts::toggleSidebar},
                {tr("Preferences"), shortcuts::preferences},
                {tr("Search"), QKeySequence(QKeySequence::Find)}}},
        {tr("Import / Export"),
            {{tr("Import Postman Collection"), shortcuts::importPostmanCollection}}},
        {tr("App"),
            {{tr("Quit"), shortcuts::quit}, {tr("Minimize"), shortcuts::minimize},
                {tr("Close Window"), shortcuts::closeWindow}}},
    };
    for (const auto& [title, rows] : sections) {
        QFormLayout* section = addSection(page, title, QString());
        section->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        for (const Row& row : rows) {
            QLabel* key = keyLabel(row.key);
            key->setAccessibleName(row.action);
            section->addRow(row.action, key);
            section->itemAt(section->rowCount() - 1, QFormLayout::FieldRole)
                ->setAlignment(Qt::AlignRight);
        }
    }
    page->addStretch();
}

} // namespace mako
