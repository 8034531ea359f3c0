#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class NewGameDialog;
}

// Asks for the player's name and the Learning Mode choice before each new game.
class NewGameDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewGameDialog(QWidget *parent = nullptr);
    ~NewGameDialog() override;

    // The name as typed, without surrounding blanks; never empty once accepted.
    QString playerName() const;
    bool isLearningMode() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_pushButtonCancel_clicked();
    void on_pushButtonOK_clicked();
    void onNameChanged(const QString &text);

private:
    std::unique_ptr<Ui::NewGameDialog> ui;
};
