// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QIcon>
#include <QString>

// The calculator's application object. Its title (the caption of every error
// box) comes from the executable's file name, and no exception ever leaves an
// event handler into Qt: what escapes one is shown in the error box.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    // The desktop entry, icon and AppStream id: the installed desktop file is
    // <DesktopId>.desktop and the icon theme holds <DesktopId>.svg and .png.
    static constexpr const char *DesktopId = "org.velocidadebs.velocidad";
    // The icon every window of the calculator carries: the installed theme
    // icon's 48 and 256 pixel renderings, built into the executable so that
    // a window shows it also where no icon theme is installed.
    static QIcon icon();

    // The title rule: the file name without its directory, cut at the first
    // ".", every character after the first in lower case ("ABC.EXE" -> "Abc").
    static QString titleFromExecutable(const QString &path);

    bool notify(QObject *receiver, QEvent *event) override;
};
