#pragma once

#include <QPlainTextEdit>

class QSyntaxHighlighter;

namespace mako {

/// Read-only monospaced text with a line-number gutter, each line coloured as a snippet of
/// the chosen language.
class CodeArea : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CodeArea(QWidget* parent = nullptr);

    /// Shows `code`, coloured for `language`.
    void showCode(const QString& code, const QString& language);
    int gutterWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class CodeGutter;
    void paintGutter(QPaintEvent* event);
    void updateGutter(const QRect& rect, int dy);

    QWidget* m_gutter;
    QSyntaxHighlighter* m_highlighter;
};

} // namespace mako
