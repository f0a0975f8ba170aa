#pragma once

#include <QWidget>

class QButtonGroup;

namespace mako {

class CodeArea;
class RequestViewModel;

/// The Code tab: the edited request as a snippet in one of the generator's languages, with
/// line numbers and colours, and a button that copies it. Follows every edit of the request.
class CodeGeneratorView : public QWidget {
    Q_OBJECT

public:
    explicit CodeGeneratorView(RequestViewModel& viewModel, QWidget* parent = nullptr);

    int selectedLanguage() const { return m_selected; }
    QString generatedCode() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void selectLanguage(int index);
    void copy();
    void refresh();

    RequestViewModel& m_viewModel;
    QButtonGroup* m_languages;
    CodeArea* m_code;
    int m_selected = 0;
    bool m_stale = true;
};

} // namespace mako
