// SPDX-License-Identifier: MIT
// Shows main.qml. With --screenshot <file> it saves one picture of the
// window (the gauges at rest) and quits, for the guide.
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    const QString shot = at > 0 && at + 1 < args.size() ? args.at(at + 1) : QString();

    QQmlApplicationEngine engine;
    engine.load(QUrl(QStringLiteral("qrc:/QmlGallery/main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    if (shot.isEmpty())
        return app.exec();

    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    // Long enough for every needle to glide to the slider's value.
    QTimer::singleShot(2500, &app, [&] {
        const bool saved = window && window->grabWindow().save(shot);
        std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(shot));
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
