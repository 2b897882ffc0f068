// SPDX-License-Identifier: MIT
#include "platform/ErrorBox.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "platform/ErrorMessageBox.h"

namespace {

QString &storedTitle()
{
    static QString title;
    return title;
}

QPointer<QWidget> &storedOwner()
{
    static QPointer<QWidget> owner;
    return owner;
}

// A press that started a drag or a button's pressed state must not keep the
// mouse while the box is up, and an open popup must not stay over it.
void cancelMouseModes()
{
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    while (QWidget *popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
}

void showMessage(const QString &message)
{
    cancelMouseModes();
    // The calculator's windows stay on top, so the box must too, or it would
    // open hidden behind the window that caused it.
    QPointer<QWidget> owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    // Where no window manager activates windows there is no active one.
    if (!owner && storedOwner() && storedOwner()->isVisible())
        owner = storedOwner();
    ErrorMessageBox box(ErrorBox::title(), ErrorBox::textFor(message), owner);
    box.exec();
    // Without a window manager nothing hands the activation back, and the
    // user's field would be left without the keyboard.
    if (owner && owner->isVisible() && QApplication::activeWindow() != owner)
        owner->activateWindow();
}

} // namespace

void ErrorBox::setTitle(const QString &title)
{
    storedTitle() = title;
}

QString ErrorBox::title()
{
    return storedTitle();
}

void ErrorBox::setOwner(QWidget *window)
{
    storedOwner() = window;
}

QWidget *ErrorBox::owner()
{
    return storedOwner();
}

QString ErrorBox::textFor(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ErrorBox::show(const Exception &error)
{
    if (dynamic_cast<const EAbort *>(&error))
        return;
    showMessage(error.message());
}

void ErrorBox::post(const Exception &error)
{
    if (dynamic_cast<const EAbort *>(&error))
        return;
    QObject *context = QCoreApplication::instance();
    if (!context)
        return;
    // Only the text travels: the exception object dies with the handler.
    QMetaObject::invokeMethod(context, [message = error.message()] { showMessage(message); },
                              Qt::QueuedConnection);
}
