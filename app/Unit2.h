// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPushButton;

// The about window "Form2": the formula the calculator rests on, what it
// computes, its credits and where to look up stiffness coefficients. Shown
// modally with exec(); "X" closes it, and it stays alive for the next showing.
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    // The about text, one entry per line.
    static QStringList aboutLines();

    QFrame *Shape1;
    QLabel *Image1;
    QLabel *Label20;
    QPushButton *Button2;
    QLabel *RichEdit1;

public slots:
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;
};
