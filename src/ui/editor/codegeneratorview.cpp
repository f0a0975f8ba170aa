#include "ui/editor/codegeneratorview.h"

#include "interchange/codegenerator.h"
#include "state/requestviewmodel.h"
#include "ui/common/icons.h"
#include "ui/editor/codearea.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

CodeGeneratorView::CodeGeneratorView(RequestViewModel& viewModel, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_languages(new QButtonGroup(this))
    , m_code(new CodeArea)
{
    auto* row = new QHBoxLayout;
    const QStringList labels = CodeGenerator::languages();
    for (int index = 0; index < labels.size(); ++index) {
        auto* button = new QToolButton;
        button->setObjectName(u"language"_s + labels[index]);
        button->setText(labels[index]);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setChecked(index == m_selected);
        m_languages->addButton(button, index);
        row->addWidget(button);
    }
    connect(m_languages, &QButtonGroup::idClicked, this, &CodeGeneratorView::selectLanguage);
    row->addStretch();
    auto* copy = new QPushButton(icons::icon(u"doc.on.doc"), tr("Copy"));
    copy->setObjectName(u"copyCodeButton"_s);
    copy->setToolTip(tr("Copy the code"));
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &CodeGeneratorView::copy);
    row->addWidget(copy);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    m_code->setObjectName(u"codeArea"_s);
    m_code->setAccessibleName(tr("Generated code"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addLayout(row);
    layout->addWidget(divider);
    layout->addWidget(m_code, 1);

    // Generating and colouring the snippet goes through the whole request, body included: at
    // every key typed in a large body that is what would make typing lag. The snippet follows
    // once typing pauses.
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (m_stale && isVisible())
            refresh();
    });
    connect(
        &m_viewModel, &RequestViewModel::requestChanged, this, &CodeGeneratorView::sentFormChanged);
}

void CodeGeneratorView::setSentForm(std::function<APIRequest(const APIRequest&)> sentForm)
{
    m_sentForm = std::move(sentForm);
    m_stale = true;
    if (isVisible())
        refresh();
}

void CodeGeneratorView::sentFormChanged()
{
    m_stale = true;
    if (isVisible())
        m_settle.start();
}

QString CodeGeneratorView::generatedCode() const
{
    return CodeGenerator::generate(
        m_selected, m_sentForm ? m_sentForm(m_viewModel.request()) : m_viewModel.request());
}

void CodeGeneratorView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Hidden, the snippet is not rebuilt at all; it catches up at once when it comes into view.
    if (m_stale)
        refresh();
}

void CodeGeneratorView::selectLanguage(int index)
{
    m_selected = index;
    refresh();
}

void CodeGeneratorView::copy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(generatedCode());
}

void CodeGeneratorView::refresh()
{
    m_settle.stop();
    m_stale = false;
    const QStringList labels = CodeGenerator::languages();
    m_code->showCode(generatedCode(), labels.value(m_selected));
    Q_EMIT codeShown();
}

} // namespace mako
