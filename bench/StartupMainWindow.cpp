// SPDX-License-Identifier: MIT
// The calculator's start-up up to the main window's first complete frame:
// the application object and both windows, built through the app library as
// Startup::run builds them. With --describe FILE it writes the main window's
// widgets as stock Qt widgets (class, place, font, text) for the bare
// window to copy, and exits.

#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QWidget>

#include <cstring>

#include "app/Application.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "bench/FirstFrame.h"

namespace {

// One line per widget: class, x, y, width, height, font, text (tab-separated).
void describe(const QWidget &window, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&file);
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        QString kind = QStringLiteral("QWidget");
        QString text;
        if (const auto *edit = qobject_cast<const QLineEdit *>(w)) {
            kind = QStringLiteral("QLineEdit");
            text = edit->text();
        } else if (const auto *button = qobject_cast<const QPushButton *>(w)) {
            kind = QStringLiteral("QPushButton");
            text = button->text();
        } else if (const auto *box = qobject_cast<const QGroupBox *>(w)) {
            kind = QStringLiteral("QGroupBox");
            text = box->title();
        } else if (const auto *label = qobject_cast<const QLabel *>(w)) {
            kind = QStringLiteral("QLabel");
            text = label->text();
        } else if (qobject_cast<const QFrame *>(w)) {
            kind = QStringLiteral("QFrame");
        }
        const QRect place(w->mapTo(&window, QPoint()), w->size());
        out << kind << '\t' << place.x() << '\t' << place.y() << '\t' << place.width() << '\t'
            << place.height() << '\t' << w->font().toString() << '\t'
            << QString(text).replace(u'\n', u' ').replace(u'\t', u' ') << '\n';
    }
    out << "window\t0\t0\t" << window.width() << '\t' << window.height() << '\t' << window.font().toString()
        << "\t\n";
}

} // namespace

int main(int argc, char **argv)
{
    Application app(argc, argv);
    TForm1 form1;
    TForm2 form2;
    form1.setAboutWindow(&form2);
    if (argc > 2 && std::strcmp(argv[1], "--describe") == 0) {
        describe(form1, QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    FirstFrame done(form1, *form1.DialGauge1);
    Startup::showMainWindow(form1);
    return app.exec();
}
