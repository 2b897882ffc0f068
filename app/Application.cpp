// SPDX-License-Identifier: MIT
#include "app/Application.h"

#include <QFileInfo>

#include <exception>

#include "platform/DeferredIconEngine.h"
#include "platform/ErrorBox.h"
#include "platform/SysErrors.h"

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    ErrorBox::setTitle(titleFromExecutable(applicationFilePath()));
    // Lets a desktop match the windows to the installed desktop entry.
    setDesktopFileName(QString::fromLatin1(DesktopId));
    setWindowIcon(icon());
}

QIcon Application::icon()
{
    // Read when a window system first asks for it, not at start-up.
    QList<std::pair<QString, QSize>> files;
    for (const int size : {48, 256})
        files.append({QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QLatin1String(DesktopId)), QSize(size, size)});
    return DeferredIconEngine::icon(files);
}

QString Application::titleFromExecutable(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (const qsizetype dot = name.indexOf(QLatin1Char('.')); dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception &error) {
        ErrorBox::show(error);
    } catch (const std::exception &error) {
        ErrorBox::show(Exception(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        ErrorBox::show(Exception(QStringLiteral("Unknown error")));
    }
    return false;
}
