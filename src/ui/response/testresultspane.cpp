#include "ui/response/testresultspane.h"

#include "model/scriptoutcome.h"
#include "ui/common/badges.h"
#include "ui/common/colors.h"
#include "ui/common/iconlabel.h"
#include "ui/response/emptyhint.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

enum Column { verdictColumn, nameColumn, messageColumn };
constexpr int kPassedRole = Qt::UserRole + 1;

QLabel* sectionTitle(const QString& text, QWidget* buddy)
{
    auto* title = new QLabel(text);
    QFont bold = title->font();
    bold.setWeight(QFont::DemiBold);
    title->setFont(bold);
    title->setBuddy(buddy);
    return title;
}

// The runner's mark, so that a verdict looks the same in both places.
QIcon verdictIcon(bool passed, const QPalette& palette, int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawOutcomeMark(&painter, QRect(1, 1, size - 2, size - 2), passed, palette);
    return QIcon(pixmap);
}

} // namespace

TestResultsPane::TestResultsPane(QWidget* parent)
    : QWidget(parent)
    , m_pages(new QStackedWidget)
    , m_tests(new QTreeWidget)
    , m_errorRow(new QWidget)
    , m_error(new QLabel)
    , m_console(new QPlainTextEdit)
{
    setObjectName(u"responseTestsPane"_s);
    m_tests->setObjectName(u"responseTestList"_s);
    m_tests->setAccessibleName(tr("Test results"));
    m_tests->setColumnCount(3);
    m_tests->setHeaderLabels({tr("Result"), tr("Test"), tr("Message")});
    m_tests->setRootIsDecorated(false);
    m_tests->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tests->setTextElideMode(Qt::ElideRight);
    m_tests->header()->setStretchLastSection(true);

    m_error->setObjectName(u"responseScriptError"_s);
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    paintError();
    auto* errorLayout = new QHBoxLayout(m_errorRow);
    errorLayout->setContentsMargins(0, 0, 0, 0);
    errorLayout->addWidget(new IconLabel(u"exclamationmark.triangle.fill"), 0, Qt::AlignTop);
    errorLayout->addWidget(m_error, 1);

    m_console->setObjectName(u"responseConsole"_s);
    m_console->setAccessibleName(tr("Console"));
    m_console->setReadOnly(true);
    m_console->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(12);
    m_console->setFont(mono);
    m_consoleTitle = sectionTitle(tr("Console"), m_console);

    auto* content = new QWidget;
    content->setObjectName(u"responseTestsContent"_s);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_tests, 2);
    layout->addWidget(m_errorRow);
    layout->addWidget(m_consoleTitle);
    layout->addWidget(m_console, 1);

    m_pages->addWidget(makeEmptyHint(u"list.bullet",
        tr("No tests. Write them in the request's Scripts tab, under Tests; their results show "
           "here after a send."),
        u"responseNoTests"_s));
    m_pages->addWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pages);
}

void TestResultsPane::paintError()
{
    QPalette red = m_error->palette();
    red.setColor(QPalette::WindowText, systemColor(SystemColor::red, palette()));
    m_error->setPalette(red);
}

void TestResultsPane::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // The other appearance has its own shade of red and green.
    if (event->type() == QEvent::PaletteChange) {
        paintError();
        paintVerdicts();
    }
}

void TestResultsPane::paintVerdicts()
{
    const int size = fontMetrics().height();
    const qreal ratio = devicePixelRatioF();
    const std::array<QIcon, 2> marks {
        verdictIcon(false, palette(), size, ratio), verdictIcon(true, palette(), size, ratio)};
    const std::array<QColor, 2> colors {
        systemColor(SystemColor::red, palette()), systemColor(SystemColor::green, palette())};
    for (int row = 0; row < m_tests->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_tests->topLevelItem(row);
        const bool passed = item->data(verdictColumn, kPassedRole).toBool();
        item->setIcon(verdictColumn, marks[passed]);
        item->setForeground(verdictColumn, colors[passed]);
    }
}

QString TestResultsPane::title(const ScriptOutcome& outcome)
{
    if (outcome.tests.isEmpty())
        return tr("Tests");
    const qsizetype total = outcome.tests.size();
    return tr("Tests %1/%2").arg(total - outcome.failedTests()).arg(total);
}

void TestResultsPane::showOutcome(const ScriptOutcome& outcome)
{
    m_pages->setCurrentIndex(outcome.isEmpty() ? 0 : 1);
    m_tests->clear();
    for (const TestResult& test : outcome.tests) {
        auto* item = new QTreeWidgetItem(
            m_tests, {test.passed ? tr("Passed") : tr("Failed"), test.name, test.error});
        item->setData(verdictColumn, kPassedRole, test.passed);
        for (int column = nameColumn; column <= messageColumn; ++column)
            item->setToolTip(column, item->text(column));
    }
    paintVerdicts();
    m_tests->setVisible(!outcome.tests.isEmpty());
    for (int column = verdictColumn; column < messageColumn; ++column) {
        m_tests->resizeColumnToContents(column);
        m_tests->header()->resizeSection(
            column, std::min(m_tests->header()->sectionSize(column) + 16, 360));
    }
    m_error->setText(outcome.error.value_or(QString()));
    m_errorRow->setVisible(outcome.error.has_value());
    m_console->setPlainText(outcome.console.join(u'\n'));
    m_consoleTitle->setVisible(!outcome.console.isEmpty());
    m_console->setVisible(!outcome.console.isEmpty());
}

} // namespace mako
