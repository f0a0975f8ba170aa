#pragma once

#include <QPlainTextEdit>

class QCompleter;
class QStringListModel;

namespace mako {

/// A plain-text editor that offers words from a list as the user types one: after two letters
/// a popup lists the words that start with them; Return or Tab takes the chosen one.
class CompletingTextEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CompletingTextEdit(QWidget* parent = nullptr);

    void setCompletions(const QStringList& words);
    QCompleter* completer() const { return m_completer; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QString wordBeforeCursor() const;
    void insertCompletion(const QString& word);

    QStringListModel* m_words;
    QCompleter* m_completer;
};

} // namespace mako
