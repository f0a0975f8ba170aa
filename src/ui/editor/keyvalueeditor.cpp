#include "ui/editor/keyvalueeditor.h"

#include "state/variablesmodel.h"
#include "ui/common/colors.h"
#include "ui/common/icons.h"
#include "ui/common/tableview.h"
#include "ui/editor/linefieldvariables.h"
#include "ui/editor/variablespans.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kCheckColumnWidth = 28;
constexpr int kRemoveColumnWidth = 28;
constexpr int kSecretColumnWidth = 28;

// Draws empty cells with their field name, placeholders in their colour, and the remove
// column's symbol; edits in a frameless line edit.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(KeyValueEditor::EnvironmentSource environment, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_environment(std::move(environment))
    { }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        const int column = index.column();
        if (column == KeyValueModel::RemoveColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            const QRect box = QRect(0, 0, 12, 12).translated(option.rect.center() - QPoint(6, 6));
            icons::icon(u"xmark").paint(painter, box);
            return;
        }
        if (column == KeyValueEditor::kSecretColumn) {
            paintSecretToggle(painter, option, index);
            return;
        }
        if (column != KeyValueModel::KeyColumn && column != KeyValueModel::ValueColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        paintText(painter, option, column, text);
    }

    QWidget* createEditor(
        QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const bool key = index.column() == KeyValueModel::KeyColumn;
        editor->setPlaceholderText(key ? KeyValueEditor::tr("Key") : KeyValueEditor::tr("Value"));
        editor->setAccessibleName(editor->placeholderText());
        editor->setObjectName(key ? u"rowKeyField"_s : u"rowValueField"_s);
        // Values are substituted when sent; keys go out as typed.
        if (!key && m_environment)
            new LineFieldVariables(editor, m_environment);
        // A secret is typed unseen while the values are hidden.
        if (!key && index.data(VariablesModel::MaskedRole).toBool())
            editor->setEchoMode(QLineEdit::Password);
        return editor;
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override
    {
        if (index.column() != KeyValueEditor::kSecretColumn
            || !(index.flags() & Qt::ItemIsUserCheckable))
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        // The whole cell is the toggle, by a click or, as for a check box, by Space.
        bool toggle = false;
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            toggle = mouse->button() == Qt::LeftButton
                && option.rect.contains(mouse->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonPress
            || event->type() == QEvent::MouseButtonDblClick) {
            return true;
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            toggle = key == Qt::Key_Space || key == Qt::Key_Select;
        }
        if (!toggle)
            return false;
        const bool secret = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        return model->setData(index, secret ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
        const QModelIndex& index) override
    {
        if (event->type() == QEvent::ToolTip && index.column() == KeyValueModel::ValueColumn
            && m_environment) {
            const QString text = index.data().toString();
            const QList<VariableSpan> spans = variableSpans(text, m_environment());
            if (!spans.isEmpty()) {
                QStringList lines;
                for (const VariableSpan& span : spans)
                    lines.append(span.explanation());
                QToolTip::showText(event->globalPos(), lines.join(u'\n'), view, option.rect);
                return true;
            }
        }
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }

private:
    static void paintSecretToggle(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        QStyleOptionViewItem plain = option;
        plain.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        plain.text.clear();
        plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        const bool secret = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        const QRect box = QRect(0, 0, 14, 14).translated(option.rect.center() - QPoint(7, 7));
        // An open lock, faint, says what a click would do; a closed one that it is done.
        icons::icon(secret ? u"lock.fill" : u"lock.open")
            .paint(painter, box, Qt::AlignCenter, secret ? QIcon::Normal : QIcon::Disabled);
    }

    void paintText(QPainter* painter, const QStyleOptionViewItem& option, int column,
        const QString& text) const
    {
        const QPalette& palette = option.palette;
        const QRect area = option.rect.adjusted(4, 0, -4, 0);
        painter->save();
        painter->setClipRect(area);
        painter->setFont(option.font);
        const bool selected = option.state & QStyle::State_Selected;
        const QColor normal = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        if (text.isEmpty()) {
            painter->setPen(palette.color(QPalette::PlaceholderText));
            const QString name = column == KeyValueModel::KeyColumn ? KeyValueEditor::tr("Key")
                                                                    : KeyValueEditor::tr("Value");
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft, name);
            painter->restore();
            return;
        }
        const QList<VariableSpan> spans = column == KeyValueModel::ValueColumn && m_environment
            ? variableSpans(text, m_environment())
            : QList<VariableSpan> {};
        int x = area.left();
        int done = 0;
        const auto draw = [&](int from, int to, const QColor& color, bool underline = false) {
            const QString piece = text.mid(from, to - from);
            QFont font = option.font;
            font.setUnderline(underline);
            painter->setFont(font);
            painter->setPen(color);
            painter->drawText(QRect(x, area.top(), area.right() - x + 1, area.height()),
                Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, piece);
            x += QFontMetrics(font).horizontalAdvance(piece);
        };
        for (const VariableSpan& span : spans) {
            draw(done, span.start, normal);
            // Red would not read on the selection's colour: there an undefined one is underlined.
            if (selected)
                draw(span.start, span.start + span.length, normal, !span.isDefined);
            else
                draw(span.start, span.start + span.length,
                    span.isDefined ? palette.color(QPalette::Link)
                                   : systemColor(SystemColor::red, palette));
            done = span.start + span.length;
        }
        draw(done, int(text.size()), normal);
        painter->restore();
    }

    KeyValueEditor::EnvironmentSource m_environment;
};

} // namespace

KeyValueEditor::KeyValueEditor(const QString& title, RequestViewModel& viewModel,
    KeyValueModel::RowsField field, EnvironmentSource environment, QWidget* parent)
    : KeyValueEditor(title, new KeyValueModel(viewModel, field), std::move(environment), parent)
{ }

KeyValueEditor::KeyValueEditor(
    const QString& title, QAbstractItemModel* rows, EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_model(rows)
    , m_view(new TableView)
    , m_note(new QLabel)
{
    if (!m_model->parent())
        m_model->setParent(this);
    auto* titleLabel = new QLabel(title);
    titleLabel->setObjectName(u"rowsTitle"_s);
    QFont titleFont = titleLabel->font();
    titleFont.setWeight(QFont::DemiBold);
    titleLabel->setFont(titleFont);
    // A push button: it measures its text again when the appearance changes the font.
    auto* add = new QPushButton(icons::icon(u"plus"), tr("Add"));
    add->setObjectName(u"addRowButton"_s);
    add->setFlat(true);
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &KeyValueEditor::addRow);

    m_note->setObjectName(u"rowsNote"_s);
    m_note->setWordWrap(true);
    m_note->setForegroundRole(QPalette::PlaceholderText);
    m_note->hide();

    setUpTable(title, std::move(environment));
    QToolButton* reveal = nullptr;
    if (m_model->columnCount() > kSecretColumn) {
        reveal = new QToolButton;
        setUpSecrets(reveal);
    }

    auto* header = new QHBoxLayout;
    header->addWidget(titleLabel);
    header->addStretch();
    if (reveal)
        header->addWidget(reveal);
    header->addWidget(add);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addLayout(header);
    layout->addWidget(m_note);
    layout->addWidget(m_view, 1);
}

void KeyValueEditor::setUpTable(const QString& title, EnvironmentSource environment)
{
    m_view->setObjectName(u"rowsTable"_s);
    m_view->setAccessibleName(title);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new RowDelegate(std::move(environment), m_view));
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->setShowGrid(false);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::AllEditTriggers);
    QHeaderView* columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(KeyValueModel::EnabledColumn, QHeaderView::Fixed);
    columns->setSectionResizeMode(KeyValueModel::KeyColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(KeyValueModel::ValueColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(KeyValueModel::RemoveColumn, QHeaderView::Fixed);
    columns->resizeSection(KeyValueModel::EnabledColumn, kCheckColumnWidth);
    columns->resizeSection(KeyValueModel::RemoveColumn, kRemoveColumnWidth);
    connect(m_view, &QTableView::clicked, this, &KeyValueEditor::handleClicked);
    auto* remove
        = new QShortcut(QKeySequence::Delete, m_view, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &KeyValueEditor::removeCurrentRow);
}

void KeyValueEditor::setUpSecrets(QToolButton* reveal)
{
    QHeaderView* columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(kSecretColumn, QHeaderView::Fixed);
    columns->resizeSection(kSecretColumn, kSecretColumnWidth);
    // Arrow keys follow the columns as shown: the toggle sits right after the value.
    columns->moveSection(kSecretColumn, KeyValueModel::RemoveColumn);
    reveal->setObjectName(u"revealValuesButton"_s);
    reveal->setCheckable(true);
    reveal->setAutoRaise(true);
    connect(reveal, &QToolButton::toggled, this,
        [this, reveal](bool revealed) { revealValues(reveal, revealed); });
    revealValues(reveal, false);
}

void KeyValueEditor::revealValues(QToolButton* reveal, bool revealed)
{
    if (auto* variables = qobject_cast<VariablesModel*>(m_model))
        variables->setValuesRevealed(revealed);
    // The button says what it will do.
    const QString help = revealed ? tr("Hide Value") : tr("Show Value");
    reveal->setIcon(icons::icon(revealed ? u"eye.slash" : u"eye"));
    reveal->setText(help);
    reveal->setToolTip(help);
    reveal->setAccessibleName(help);
}

void KeyValueEditor::setNote(const QString& note)
{
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

void KeyValueEditor::refreshVariables()
{
    m_view->viewport()->update();
}

void KeyValueEditor::addRow()
{
    const int row = m_model->rowCount();
    if (!m_model->insertRows(row, 1))
        return;
    const QModelIndex key = m_model->index(row, KeyValueModel::KeyColumn);
    m_view->scrollTo(key);
    // After the click that asked for it has been handled, so that the button does not keep the
    // focus.
    QTimer::singleShot(0, m_view, [view = m_view, key = QPersistentModelIndex(key)] {
        if (!key.isValid())
            return;
        view->setFocus(Qt::OtherFocusReason);
        // Becoming current opens the cell; only a cell that was current already needs asking.
        view->setCurrentIndex(key);
        if (!view->indexWidget(key))
            view->edit(key);
        if (QWidget* editor = view->indexWidget(key))
            editor->setFocus(Qt::OtherFocusReason);
    });
}

void KeyValueEditor::handleClicked(const QModelIndex& index)
{
    if (index.column() == KeyValueModel::RemoveColumn)
        m_model->removeRows(index.row(), 1);
}

void KeyValueEditor::removeCurrentRow()
{
    // Only while the table itself has the focus: in an open cell, Delete edits the text.
    if (m_view->currentIndex().isValid())
        m_model->removeRows(m_view->currentIndex().row(), 1);
}

} // namespace mako
