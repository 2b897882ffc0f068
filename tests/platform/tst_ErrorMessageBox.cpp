// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFontMetrics>
#include <QtTest>

#include "platform/ErrorMessageBox.h"

class tst_ErrorMessageBox : public QObject
{
    Q_OBJECT
private slots:
    void fitLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("shortened");
        QTest::newRow("short") << "Invalid floating point operation." << 10 << 1 << false;
        QTest::newRow("unbreakable, wraps inside the word") << QString(300, QLatin1Char('x'))
                                                           << 50 << -1 << false;
        QTest::newRow("kept line breaks") << "a\n\nb" << 10 << 3 << false;
        QTest::newRow("too long: odd line count") << QString(20000, QLatin1Char('7')) << 9 << 9
                                                  << true;
        QTest::newRow("too long: even line count") << QString(20000, QLatin1Char('7')) << 8
                                                   << 8 << true;
        QTest::newRow("room for two lines only") << QString(20000, QLatin1Char('7')) << 2 << 1
                                                 << true;
        QTest::newRow("no room at all") << QString(20000, QLatin1Char('7')) << 0 << 1 << true;
    }
    void fitLines()
    {
        QFETCH(QString, text);
        QFETCH(int, maxLines);
        QFETCH(int, lines);
        QFETCH(bool, shortened);
        const QFont font = QApplication::font();
        const int width = 200;
        const QStringList fitted = ErrorMessageBox::fitLines(text, font, width, maxLines);
        if (lines >= 0)
            QCOMPARE(fitted.size(), lines);
        QVERIFY(fitted.size() <= std::max(maxLines, 1));
        const QFontMetrics metrics(font);
        for (const QString &line : fitted)
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        const QString joined = fitted.join(QString());
        QCOMPARE(joined.contains(QChar(0x2026)), shortened);
        if (!shortened) {
            QCOMPARE(joined, QString(text).remove(QLatin1Char('\n')));
        } else {
            // Head and tail of the text, the middle given up.
            const qsizetype mark = joined.indexOf(QChar(0x2026));
            QVERIFY(text.startsWith(joined.left(mark)));
            QVERIFY(text.endsWith(joined.mid(mark + 1)));
        }
    }

    void wordsWrapAtBoundaries()
    {
        const QStringList fitted = ErrorMessageBox::fitLines(
            QStringLiteral("alpha beta gamma delta"), QApplication::font(),
            QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("alpha beta ")),
            10);
        QCOMPARE(fitted.first(), QStringLiteral("alpha beta "));
    }

    void textStaysTheMessage()
    {
        const QString message = QString(50000, QLatin1Char('q')) + QLatin1Char('.');
        ErrorMessageBox box(QStringLiteral("Velocidad"), message, nullptr);
        QCOMPARE(box.text(), message);
        QVERIFY(box.shownText().contains(QChar(0x2026)));
        QCOMPARE(box.objectName(), QStringLiteral("ErrorBox"));
        QCOMPARE(box.icon(), QMessageBox::Critical);
    }
};

QTEST_MAIN(tst_ErrorMessageBox)
#include "tst_ErrorMessageBox.moc"
