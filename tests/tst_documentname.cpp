// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/documentname.h"

#include <QTest>

class TestDocumentName : public QObject
{
    Q_OBJECT

private slots:
    void fromArgument_data()
    {
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QByteArray("psu.zmr") << "psu";
        QTest::newRow("directory kept") << QByteArray("D:\\work\\psu.zmr") << "D:\\work\\psu";
        QTest::newRow("upper case") << QByteArray("psu.ZMR") << "trans";
        QTest::newRow("other ending") << QByteArray("psu.zmr.bak") << "trans";
        QTest::newRow("extension only") << QByteArray(".zmr") << "";
        QTest::newRow("no extension") << QByteArray("psu") << "trans";
        QTest::newRow("empty") << QByteArray() << "trans";
        QTest::newRow("cyrillic") << QByteArray("\xd0\xb1\xd0\xbb\xd0\xbe\xd0\xba \xd0\xbf\xd0\xb8\xd1\x82"
                                                "\xd0\xb0\xd0\xbd\xd0\xb8\xd1\x8f.zmr")
                                  << QString::fromUtf8("блок питания");
        QTest::newRow("cyrillic directory") << QString::fromUtf8("/home/вера/бп.zmr").toUtf8()
                                            << QString::fromUtf8("/home/вера/бп");
        QTest::newRow("latin-1 bytes") << QByteArray("\xe9t\xe9.zmr") << QString::fromUtf8("\uFFFDt\uFFFD");
        QTest::newRow("invalid utf-8") << QByteArray("\xff\xfe\xc3.zmr") << QString(3, QChar::ReplacementCharacter);
        QTest::newRow("invalid, other ending") << QByteArray("\xff.zm\xd2") << "trans";
        QTest::newRow("long") << QByteArray(100000, 'a') + ".zmr" << QString(100000, QLatin1Char('a'));
    }
    void fromArgument()
    {
        QFETCH(QByteArray, argument);
        QFETCH(QString, name);
        QCOMPARE(documentNameFromArgument(argument, QStringLiteral("trans")), name);
    }

    void next_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("next");
        QTest::newRow("letter") << "trans" << "trans0";
        QTest::newRow("0") << "trans0" << "trans1";
        QTest::newRow("8") << "psu8" << "psu9";
        QTest::newRow("9") << "trans9" << "trans10";
        QTest::newRow("19") << "trans19" << "trans110";
        QTest::newRow("99") << "trans99" << "trans910";
        QTest::newRow("empty") << "" << "0";
        QTest::newRow("directory") << "D:\\work\\psu" << "D:\\work\\psu0";
        QTest::newRow("sign") << "a-" << "a-0";
        QTest::newRow("non-latin digit") << QString::fromUtf8("a٣") << QString::fromUtf8("a٣0");
        QTest::newRow("cyrillic") << QString::fromUtf8("файл") << QString::fromUtf8("файл0");
    }
    void next()
    {
        QFETCH(QString, name);
        QFETCH(QString, next);
        QCOMPARE(nextDocumentName(name), next);
    }

    void newFiveTimes()
    {
        QString name = QStringLiteral("trans");
        QStringList seen;
        for (int i = 0; i < 5; ++i)
            seen << (name = nextDocumentName(name));
        QCOMPARE(seen, QStringList({"trans0", "trans1", "trans2", "trans3", "trans4"}));
    }

    void statusText()
    {
        QCOMPARE(documentStatusText("trans"), QStringLiteral(" trans.zmr "));
        QCOMPARE(documentStatusText(""), QStringLiteral(" .zmr "));
        QCOMPARE(documentStatusText("D:\\work\\psu"), QStringLiteral(" D:\\work\\psu.zmr "));
    }

    void processWideStart()
    {
        QCOMPARE(buildNumber, QStringLiteral("243"));
        QCOMPARE(documentName, QStringLiteral("trans"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentName)
#include "tst_documentname.moc"
