// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

// An edit field that behaves as the reference platform's auto-selecting edit
// control, so that typing over a field replaces its number instead of
// appending to it:
// - it selects all of its text whenever it gets the focus, except from a
//   mouse click (which places the caret) or a closing popup menu (the user
//   never left the field);
// - text written by the program is shown from its start, as a number is read;
// - Alt with a character key never inserts that character: Alt+letter is an
//   accelerator or nothing;
// - a text wider than the field is marked with "…" at the cut edge and shown
//   whole in a tooltip, without the field changing size.
class AutoSelectEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit AutoSelectEdit(QWidget *parent = nullptr);

    // The program's way to write the field: the text replaces the old one
    // and the field shows its start.
    void showText(const QString &text);

    // Gives the field the focus from the program with its text selected,
    // also when it has the focus already (no focus event would select).
    void focusSelected();

    // True when the whole text fits between the field's text margins.
    bool textFits() const;

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textArea() const;
};
