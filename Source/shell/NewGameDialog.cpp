#include "NewGameDialog.h"
#include "ui_NewGameDialog.h"

NewGameDialog::NewGameDialog(QWidget *parent) : QDialog(parent), ui(new Ui::NewGameDialog)
{
    ui->setupUi(this);
    // No title-bar buttons: the dialog ends through OK, Cancel or Escape only.
    setWindowFlags(Qt::CustomizeWindowHint);
    connect(ui->lineEditPlayerName, &QLineEdit::textChanged, this, &NewGameDialog::onNameChanged);
}

NewGameDialog::~NewGameDialog() = default;

QString NewGameDialog::playerName() const
{
    return ui->lineEditPlayerName->text().trimmed();
}

bool NewGameDialog::isLearningMode() const
{
    return ui->checkBoxLearningMode->isChecked();
}

void NewGameDialog::on_pushButtonCancel_clicked()
{
    reject();
}

void NewGameDialog::on_pushButtonOK_clicked()
{
    accept();
}

void NewGameDialog::onNameChanged(const QString &text)
{
    ui->pushButtonOK->setEnabled(!text.trimmed().isEmpty());
}
