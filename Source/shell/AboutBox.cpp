#include "AboutBox.h"
#include "ui_AboutBox.h"

#include <QCoreApplication>
#include <QtGlobal>

AboutBox::AboutBox(QWidget *parent) : QDialog(parent), ui(new Ui::AboutBox)
{
    ui->setupUi(this);
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::FramelessWindowHint);
    ui->labelApplicationName->setText(QCoreApplication::applicationName());
    ui->labelVersion->setText(tr("Version %1").arg(QCoreApplication::applicationVersion()));
    ui->labelQtVersion->setText(tr("Qt version %1").arg(QLatin1String(qVersion())));
}

AboutBox::~AboutBox() = default;
