// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

// Ends the process right after a window's first complete frame: once its
// first expose has been handled (the whole window painted and flushed to
// the backing store) and the watched widget has painted. Start-up is what is
// timed, so the process ends at once, without tearing down.
class FirstFrame : public QObject
{
    Q_OBJECT
public:
    FirstFrame(QWidget &window, QWidget &watched);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void check();

    QWidget &m_window;
    QWidget &m_watched;
    int m_paints = 0;
};
