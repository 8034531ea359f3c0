#pragma once

#include <QDialog>

class QTextBrowser;

// The rules on one short page, from the Help menu.
class HowToPlayDialog : public QDialog
{
    Q_OBJECT

public:
    explicit HowToPlayDialog(QWidget *parent = nullptr);

    static QString rulesHtml();

private:
    QTextBrowser *text = nullptr;
};
