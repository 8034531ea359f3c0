#include "NewGameDialog.h"
#include "ui_NewGameDialog.h"

#include <QKeyEvent>
#include <QTextDocumentFragment>

NewGameDialog::NewGameDialog(QWidget *parent) : QDialog(parent), ui(new Ui::NewGameDialog)
{
    ui->setupUi(this);
    // No title-bar buttons: the dialog ends through OK, Cancel or Escape only.
    setWindowFlags(Qt::CustomizeWindowHint);
    // Screen readers read the tool tip's words, not its markup.
    ui->checkBoxLearningMode->setAccessibleDescription(
        QTextDocumentFragment::fromHtml(ui->checkBoxLearningMode->toolTip()).toPlainText());
    ui->lineEditPlayerName->installEventFilter(this);
    connect(ui->lineEditPlayerName, &QLineEdit::textChanged, this, &NewGameDialog::onNameChanged);
}

NewGameDialog::~NewGameDialog() = default;

QString NewGameDialog::playerName() const
{
    // The length cap counts UTF-16 units, so it can keep half of a character that did
    // not fit (an emoji typed last): that half would be stored as "?", so it goes.
    const QString text = ui->lineEditPlayerName->text();
    QString name;
    name.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            name.append(ch).append(text.at(++i));
        } else if (!ch.isSurrogate()) {
            name.append(ch);
        }
    }
    return name.trimmed();
}

bool NewGameDialog::eventFilter(QObject *watched, QEvent *event)
{
    // An Alt key that no label or box of the dialog answers (Alt+L where the translation
    // underlines another letter) is no letter of the name.
    if (watched == ui->lineEditPlayerName && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier))
            return true;
    }
    return QDialog::eventFilter(watched, event);
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
    Q_UNUSED(text);
    ui->pushButtonOK->setEnabled(!playerName().isEmpty());
}
