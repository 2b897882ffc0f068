// SPDX-License-Identifier: MIT
// A QML program using the installed DialGauge module, as an application
// finds it in Qt's import path: argv[1] is that import folder. It draws a
// gauge with the software scene graph, offscreen, and checks what it shows.
#include <QAccessible>
#include <QGuiApplication>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <cstdio>
#include <memory>

static int Fail(const char *what)
{
    std::fprintf(stderr, "qml consumer: %s\n", what);
    return 1;
}

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return Fail("usage: dialgauge_qmlconsumer <qml import folder>");
    QQmlEngine engine;
    engine.addImportPath(QString::fromLocal8Bit(argv[1]));
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport DialGauge 1.0\n"
                      "DialGauge { width: 240; height: 240; animation: false; value: 42;"
                      " needle.color: 'red'; arc.threshold.span: 20;"
                      " sections: [ DialGaugeSection { startValue: 80; endValue: 100; color: 'orange' } ]"
                      " Component.onCompleted: applyStyle(3) }",
                      QUrl(QStringLiteral("consumer.qml")));
    std::unique_ptr<QQuickItem> gauge(qobject_cast<QQuickItem *>(component.create()));
    if (!gauge)
        return Fail(qPrintable(component.errorString()));
    if (gauge->property("value").toDouble() != 42.0)
        return Fail("value is not 42");
    gauge->setProperty("value", 1000.0);
    if (gauge->property("value").toDouble() != 42.0)
        return Fail("a value outside the scale was taken");

    QQuickWindow window;
    window.setColor(Qt::white);
    window.resize(240, 240);
    gauge->setParentItem(window.contentItem());
    window.show();
    const QImage shot = window.grabWindow();
    if (shot.size() != QSize(240, 240))
        return Fail("nothing was drawn");
    int painted = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            painted += shot.pixel(x, y) != qRgb(255, 255, 255);
    // The dial covers most of its square.
    if (painted < 240 * 240 / 2)
        return Fail("the gauge is not drawn");
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(gauge.get());
    if (!accessible || accessible->role() != QAccessible::Dial || !accessible->valueInterface())
        return Fail("the gauge is not an accessible dial");
    std::printf("qml consumer: DialGauge %s drawn, %d of %d pixels painted\n",
                qPrintable(gauge->property("version").toString()), painted, 240 * 240);
    return 0;
}
