#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTreeWidget;

namespace mako {

struct ScriptOutcome;

/// The response's Tests tab: each test of the last send with its verdict (a mark and a word,
/// not colour alone), its name and why it failed; a script's own failure; then the console
/// lines in a monospaced field. Without any of these, a hint says where tests are written.
class TestResultsPane : public QWidget {
    Q_OBJECT

public:
    explicit TestResultsPane(QWidget* parent = nullptr);

    void showOutcome(const ScriptOutcome& outcome);

    /// The tab's title for `outcome`: "Tests", or "Tests 3/4" for three of four passed.
    static QString title(const ScriptOutcome& outcome);

protected:
    void changeEvent(QEvent* event) override;

private:
    void paintError();
    /// The mark and the colour of each verdict, in the shades of the palette.
    void paintVerdicts();

    QStackedWidget* m_pages;
    QTreeWidget* m_tests;
    QWidget* m_errorRow;
    QLabel* m_error;
    QWidget* m_consoleTitle;
    QPlainTextEdit* m_console;
};

} // namespace mako
