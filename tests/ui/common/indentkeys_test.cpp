#include "support/qtprinters.h"
#include "ui/common/indentkeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// The selection as [start, end) of `text`'s characters; a cursor without one when equal.
void select(QPlainTextEdit& edit, int start, int end)
{
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
}

} // namespace

TEST(IndentKeys, returnKeepsTheIndentationAndTheBracketKeysShiftTheSelectedLines)
{
    const Key indent {Qt::Key_BracketRight, Qt::ControlModifier};
    const Key outdent {Qt::Key_BracketLeft, Qt::ControlModifier};
    const struct {
        const char* what;
        QString unit;
        QString text;
        int start;
        int end;
        Key key;
        QString result;
    } cases[] {
        {"return after an indented line", u"  "_s, u"{\n    \"a\": 1"_s, 12, 12, {Qt::Key_Return},
            u"{\n    \"a\": 1\n    "_s},
        {"return inside the indentation keeps only what is before it", u"  "_s, u"    x"_s, 2, 2,
            {Qt::Key_Return}, u"  \n    x"_s},
        {"return replaces the selection", u"  "_s, u"  ab"_s, 3, 4, {Qt::Key_Enter}, u"  a\n  "_s},
        {"indent the cursor's line", u"  "_s, u"a\nb"_s, 3, 3, indent, u"a\n  b"_s},
        {"indent every selected line but empty ones", u"    "_s, u"a\n\nb\nc"_s, 0, 4, indent,
            u"    a\n\n    b\nc"_s},
        {"a selection ending at a line's start leaves that line", u"  "_s, u"a\nb"_s, 0, 2, indent,
            u"  a\nb"_s},
        {"indent by a tab", u"\t"_s, u"a"_s, 0, 0, indent, u"\ta"_s},
        {"outdent takes one unit, a tab, or the spaces there are", u"  "_s, u"    a\n\tb\n c\nd"_s,
            0, 13, outdent, u"  a\nb\nc\nd"_s},
        {"outdent a tab unit takes up to four spaces", u"\t"_s, u"      a"_s, 0, 0, outdent,
            u"  a"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QPlainTextEdit edit;
        new IndentKeys(&edit, c.unit);
        edit.setPlainText(c.text);
        select(edit, c.start, c.end);
        QTest::keyClick(&edit, c.key.key, c.key.modifiers);
        EXPECT_EQ(edit.toPlainText(), c.result);
    }
}

TEST(IndentKeys, tabAndShiftTabLeaveTheFieldAndAReadOnlyFieldIsLeftAlone)
{
    QWidget window;
    auto* before = new QLineEdit;
    auto* edit = new QPlainTextEdit;
    auto* after = new QLineEdit;
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* widget :
        {static_cast<QWidget*>(before), static_cast<QWidget*>(edit), static_cast<QWidget*>(after)})
        layout->addWidget(widget);
    new IndentKeys(edit);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), before);
    EXPECT_EQ(edit->toPlainText(), QString());

    edit->setPlainText(u"  a"_s);
    edit->setReadOnly(true);
    QTest::keyClick(edit, Qt::Key_BracketRight, Qt::ControlModifier);
    EXPECT_EQ(edit->toPlainText(), u"  a"_s);
}
