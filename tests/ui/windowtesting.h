#pragma once

#include "staterun.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// Qt's QTRY_ macros return from a failing check without telling GoogleTest, so a test that
// uses them passes whatever happens; these wait the same way and fail the test.
#define EXPECT_EVENTUALLY(condition)                                                               \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, 5000)) << #condition
#define EXPECT_EVENTUALLY_EQ(actual, expected)                                                     \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000);                       \
        EXPECT_EQ(actual, expected);                                                               \
    } while (false)

namespace mako::test {

/// The child of `root` called `name`; a failure when there is none.
template <typename T> T* child(const QObject* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        ADD_FAILURE() << "no " << name.toStdString();
    return found;
}

inline void click(QAbstractButton* button)
{
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

/// Clicks the row of `view` at `row` (first column).
inline void clickRow(QAbstractItemView* view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

/// What a list shows, top to bottom.
inline QStringList rowTexts(const QAbstractItemView* view)
{
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        texts.append(view->model()->index(row, 0).data().toString());
    return texts;
}

/// A top-level window to put the widgets under test in, or to open sheets over.
struct TestWindow : QWidget {
    TestWindow() { resize(900, 600); }

    /// Shows the window with what has been put in it so far.
    void showNow()
    {
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    }
};

} // namespace mako::test
