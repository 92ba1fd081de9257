// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/frequency.h"
#include "design/numbers.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestNumbers : public QObject
{
    Q_OBJECT

    static bool russian() { return QLocale::system().decimalPoint() == QLatin1Char(','); }

private slots:
    void localeAsConfigured()
    {
        // The suite runs this test once under the C locale and once under a Russian one.
        QCOMPARE(russian(), qgetenv("LC_ALL").startsWith("ru"));
    }

    void reader_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<float>("value");
        QTest::newRow("plain") << "0.91" << true << 0.91f;
        QTest::newRow("whole") << "20" << true << 20.0f;
        QTest::newRow("negative") << "-5" << true << -5.0f;
        QTest::newRow("blanks around") << "  12 " << true << 12.0f;
        QTest::newRow("exponent") << "2.5e3" << true << 2500.0f;
        QTest::newRow("largest float") << "3.4e38" << true << 3.4e38f;
        QTest::newRow("underflow is zero") << "1e-50" << true << 0.0f;
        // A decimal comma reads in every locale; what could be digit grouping reads only
        // where the comma is the locale's own decimal separator.
        QTest::newRow("comma") << "0,91" << true << 0.91f;
        QTest::newRow("comma, negative") << "-12,5" << true << -12.5f;
        QTest::newRow("comma, blanks") << " 1,4 " << true << 1.4f;
        QTest::newRow("comma, exponent") << "2,5e3" << true << 2500.0f;
        QTest::newRow("comma, leading zero") << "0,125" << true << 0.125f;
        QTest::newRow("comma, four decimals") << "1,0005" << true << 1.0005f;
        QTest::newRow("grouping shape") << "1,000" << russian() << (russian() ? 1.0f : 0.0f);
        QTest::newRow("grouping shape, negative") << "-12,500" << russian() << (russian() ? -12.5f : 0.0f);
        QTest::newRow("two commas") << "1,2,3" << false << 0.0f;
        QTest::newRow("comma first") << ",5" << russian() << (russian() ? 0.5f : 0.0f);
        QTest::newRow("empty") << "" << false << 0.0f;
        QTest::newRow("blank") << " " << false << 0.0f;
        QTest::newRow("word") << "abc" << false << 0.0f;
        QTest::newRow("auto") << "auto" << false << 0.0f;
        QTest::newRow("number and word") << "12abc" << false << 0.0f;
        QTest::newRow("inf") << "inf" << false << 0.0f;
        QTest::newRow("minus inf") << "-inf" << false << 0.0f;
        QTest::newRow("nan") << "nan" << false << 0.0f;
        QTest::newRow("beyond float") << "1e39" << false << 0.0f;
        QTest::newRow("beyond float, negative") << "-1e39" << false << 0.0f;
        QTest::newRow("beyond double") << "1e400" << false << 0.0f;
        QTest::newRow("grouping") << "1,000.5" << false << 0.0f;
        QTest::newRow("two points") << "1.2.3" << false << 0.0f;
        QTest::newRow("cyrillic") << "двадцать" << false << 0.0f;
    }
    void reader()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(float, value);
        bool read = !ok;
        QCOMPARE(readNumber(text, &read), value);
        QCOMPARE(read, ok);
        QCOMPARE(readNumber(text), value);
    }

    // Plain decimals take a short cut; it must read exactly what the C locale reads.
    void plainDecimalsAsTheCLocale()
    {
        QLocale c = QLocale::c();
        c.setNumberOptions(QLocale::RejectGroupSeparator);
        for (const char *text : {"0", "-0", "+5", "220", " 12 ", "007", "1.5", "-0.25", "1.", ".5", "-.5",
                                 "-", "+", "+-1", "1-", "1.5.", "1..5", "- 5", "5 5", "1e5", "0.1",
                                 "3.4028234663852886e38", "340282346638528859811704183484516925440",
                                 "340282356779733661637539395458142568448", "123456789012345678901234567890",
                                 "0.000000000000000000000000000000000000000000001"}) {
            bool cOk = false;
            const double cValue = c.toDouble(QString::fromLatin1(text), &cOk);
            const bool finite = cOk && std::fabs(cValue) <= double(std::numeric_limits<float>::max());
            bool ok = false;
            const float value = readNumber(QString::fromLatin1(text), &ok);
            if (russian() && !cOk)
                continue; // the Russian locale may read what the C locale does not
            QCOMPARE(ok, finite);
            QCOMPARE(value, finite ? float(cValue) : 0.0f);
        }
    }

    void formatter_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.91f") << double(0.91f) << "0.91";
        QTest::newRow("1.4f") << double(1.4f) << "1.4";
        QTest::newRow("0.2f") << double(0.2f) << "0.2";
        QTest::newRow("13.19f") << double(13.19f) << "13.19";
        QTest::newRow("1179.8f") << double(1179.8f) << "1179.8";
        QTest::newRow("whole") << 20.0 << "20";
        QTest::newRow("kHz") << double(20000.0f / 1000.0f) << "20";
        QTest::newRow("small") << 0.00001 << "1e-05";
        QTest::newRow("large") << 1234567.0 << "1.23457e+06";
        QTest::newRow("six digits") << 123456.0 << "123456";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("product") << 112.5 << "112.5";
    }
    void formatter()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(formatNumber(value), text);
    }

    void typedFrequency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pulse");
        QTest::addColumn<float>("hertz"); // 0 for a refused text
        QTest::newRow("50 Hz") << "50" << false << 50.0f;
        QTest::newRow("0.5 kHz") << "0.5" << true << 500.0f;
        QTest::newRow("25 kHz") << "25" << true << 25000.0f;
        QTest::newRow("zero") << "0" << false << 0.0f;
        QTest::newRow("negative") << "-50" << true << 0.0f;
        QTest::newRow("word") << "abc" << false << 0.0f;
        QTest::newRow("inf") << "inf" << true << 0.0f;
        QTest::newRow("largest Hz") << "3e38" << false << 3e38f;
        // kHz that make more hertz than single precision holds are refused, not stored as infinity
        QTest::newRow("kHz beyond range") << "7e35" << true << 0.0f;
        QTest::newRow("kHz at the edge") << "3e35" << true << 3e38f;
    }
    void typedFrequency()
    {
        QFETCH(QString, text);
        QFETCH(bool, pulse);
        QFETCH(float, hertz);
        QCOMPARE(typedFrequencyHz(text, pulse).value_or(0.0f), hertz);
    }

    void narrowing()
    {
        QCOMPARE(toSingle(1.5), 1.5f);
        QCOMPARE(toSingle(1e39), std::numeric_limits<float>::infinity());
        QCOMPARE(toSingle(-1e39), -std::numeric_limits<float>::infinity());
        QVERIFY(std::isnan(toSingle(std::nan(""))));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
