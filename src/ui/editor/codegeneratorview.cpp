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

    connect(&m_viewModel, &RequestViewModel::requestChanged, this, [this] {
        m_stale = true;
        if (isVisible())
            refresh();
    });
}

QString CodeGeneratorView::generatedCode() const
{
    return CodeGenerator::generate(m_selected, m_viewModel.request());
}

void CodeGeneratorView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Hidden, the snippet is not rebuilt at every key typed elsewhere; it catches up here.
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
    m_stale = false;
    const QStringList labels = CodeGenerator::languages();
    m_code->showCode(generatedCode(), labels.value(m_selected));
}

} // namespace mako
