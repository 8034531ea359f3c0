#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutBox;
}

// Name, version, toolkit version and credits, in a frameless box closed by its button.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);
    ~AboutBox() override;

private:
    std::unique_ptr<Ui::AboutBox> ui;
};
