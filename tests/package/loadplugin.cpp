// SPDX-License-Identifier: MIT
// Loads the installed Designer plugin as Designer and QUiLoader do, from the
// installed tree alone: argument 1 is its folder (<prefix>/<Qt's plugin
// folder>/designer). Exit status 0 when everything holds.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPluginLoader>
#include <QUiLoader>

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <cstdio>

#include <DialGauge/DialGauge.h>

static int failures = 0;

static void check(bool ok, const char *what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok)
        ++failures;
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <designer plugin folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    QPluginLoader loader(QDir(folder).filePath(QStringLiteral("libDialGaugeDesigner.so")));
    const bool loaded = loader.load();
    if (!loaded)
        std::fprintf(stderr, "%s\n", qPrintable(loader.errorString()));
    check(loaded, "QPluginLoader loads the installed plugin");
    auto *plugin = qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
    check(plugin && plugin->name() == QLatin1String("TDialGauge"), "it offers TDialGauge");
    if (!plugin)
        return 1;
    QWidget parent;
    check(qobject_cast<TDialGauge *>(plugin->createWidget(&parent)) != nullptr, "it makes a gauge");

    // A form with a dotted property, through the installed plugin.
    QUiLoader uiLoader;
    uiLoader.clearPluginPaths();
    uiLoader.addPluginPath(folder);
    QBuffer form;
    form.setData(R"(<ui version="4.0"><widget class="QWidget" name="Form">
<widget class="TDialGauge" name="DialGauge1">
<property name="Needle.Color" stdset="0"><color><red>175</red><green>210</green><blue>255</blue></color></property>
</widget></widget></ui>)");
    QWidget *widget = uiLoader.load(&form);
    auto *gauge = widget ? widget->findChild<TDialGauge *>(QStringLiteral("DialGauge1")) : nullptr;
    check(gauge && gauge->Needle()->Color() == 16765615, "QUiLoader reads a form's gauge and its Needle.Color");
    delete widget;
    return failures == 0 ? 0 : 1;
}
