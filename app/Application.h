#pragma once

#include <QApplication>
#include <QString>

// The calculator's application object. Its title (the caption of every error
// box) comes from the executable's file name, and no exception ever leaves an
// event handler into Qt: what escapes one is shown in the error box.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    // The title rule: the file name without its directory, cut at the first
    // ".", every character after the first in lower case ("ABC.EXE" -> "Abc").
    static QString titleFromExecutable(const QString &path);

    bool notify(QObject *receiver, QEvent *event) override;
};
