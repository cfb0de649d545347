#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

namespace vendara {

// "バージョン情報": product name, description and the version of the build.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};

} // namespace vendara
