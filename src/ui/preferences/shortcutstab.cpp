#include "ui/preferences/shortcutstab.h"

#include "ui/commands/shortcuts.h"
#include "ui/preferences/preferencebindings.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

struct Row {
    QString action;
    QKeySequence key;
};

// The key text on a small rounded plate, painted from the palette of the moment so that it
// follows the appearance.
class KeyLabel : public QLabel {
public:
    explicit KeyLabel(const QKeySequence& key)
        : QLabel(shortcuts::text(key))
    {
        setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        setForegroundRole(QPalette::PlaceholderText);
        setContentsMargins(6, 2, 6, 2);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::AlternateBase));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter.end();
        QLabel::paintEvent(event);
    }
};

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
                {tr("Close Tab"), shortcuts::closeTab},
                {tr("Close Window"), shortcuts::closeWindow}}},
    };
    for (const auto& [title, rows] : sections) {
        QFormLayout* section = addSection(page, title, QString());
        section->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        for (const Row& row : rows) {
            auto* key = new KeyLabel(row.key);
            key->setAccessibleName(row.action);
            section->addRow(row.action, key);
            section->itemAt(section->rowCount() - 1, QFormLayout::FieldRole)
                ->setAlignment(Qt::AlignRight);
        }
    }
    page->addStretch();
}

} // namespace mako
