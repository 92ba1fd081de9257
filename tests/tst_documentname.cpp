// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/commandline.h"
#include "design/documentname.h"

#include <QTest>

class TestDocumentName : public QObject
{
    Q_OBJECT

private slots:
    // The name as text: the ending rule, the same on every system.
    void fromArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "psu.zmr" << "psu";
        QTest::newRow("directory kept") << "D:\\work\\psu.zmr" << "D:\\work\\psu";
        QTest::newRow("upper case") << "psu.ZMR" << "trans";
        QTest::newRow("other ending") << "psu.zmr.bak" << "trans";
        QTest::newRow("extension only") << ".zmr" << "";
        QTest::newRow("no extension") << "psu" << "trans";
        QTest::newRow("empty") << "" << "trans";
        QTest::newRow("cyrillic") << QString::fromUtf8("блок питания.zmr") << QString::fromUtf8("блок питания");
        QTest::newRow("long") << QString(100000, QLatin1Char('a')) + ".zmr" << QString(100000, QLatin1Char('a'));
    }
    void fromArgument()
    {
        QFETCH(QString, argument);
        QFETCH(QString, name);
        QCOMPARE(documentNameFromArgument(argument, QStringLiteral("trans")), name);
    }

#ifdef Q_OS_WIN
    // Windows hands the program its command line as UTF-16 text, split by the system.
    void fromCommandLine_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("name");
        QTest::newRow("no argument") << "zelmora.exe" << "trans";
        QTest::newRow("directory kept") << "zelmora.exe D:\\work\\psu.zmr" << "D:\\work\\psu";
        QTest::newRow("quoted, blank and cyrillic") << QString::fromUtf8("zelmora.exe \"D:\\work\\блок питания.zmr\"")
                                                    << QString::fromUtf8("D:\\work\\блок питания");
        QTest::newRow("unquoted blank") << "zelmora.exe psu 2.zmr" << "trans";
        QTest::newRow("quoted program path") << QString::fromUtf8("\"C:\\Program Files\\Zelmora\\zelmora.exe\" бп.zmr")
                                             << QString::fromUtf8("бп");
        QTest::newRow("only the first") << "zelmora.exe a.zmr b.zmr" << "a";
        QTest::newRow("beyond the code page") << QString::fromUtf8("zelmora.exe \"变压器 Ω.zmr\"")
                                              << QString::fromUtf8("变压器 Ω");
        QTest::newRow("empty quotes") << "zelmora.exe \"\"" << "trans";
    }
    void fromCommandLine()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, name);
        const std::optional<QString> first
            = firstArgumentOfCommandLine(reinterpret_cast<const wchar_t *>(commandLine.utf16()));
        QCOMPARE(first ? documentNameFromArgument(*first, QStringLiteral("trans")) : QStringLiteral("trans"), name);
    }
#else
    // Elsewhere the program gets bytes, decoded as the system decodes file names.
    void fromArgumentBytes_data()
    {
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QString>("name");
        QTest::newRow("cyrillic") << QByteArray("\xd0\xb1\xd0\xbb\xd0\xbe\xd0\xba \xd0\xbf\xd0\xb8\xd1\x82"
                                                "\xd0\xb0\xd0\xbd\xd0\xb8\xd1\x8f.zmr")
                                  << QString::fromUtf8("блок питания");
        QTest::newRow("cyrillic directory") << QString::fromUtf8("/home/вера/бп.zmr").toUtf8()
                                            << QString::fromUtf8("/home/вера/бп");
        QTest::newRow("latin-1 bytes") << QByteArray("\xe9t\xe9.zmr") << QString::fromUtf8("\uFFFDt\uFFFD");
        QTest::newRow("invalid utf-8") << QByteArray("\xff\xfe\xc3.zmr") << QString(3, QChar::ReplacementCharacter);
        QTest::newRow("invalid, other ending") << QByteArray("\xff.zm\xd2") << "trans";
    }
    void fromArgumentBytes()
    {
        QFETCH(QByteArray, argument);
        QFETCH(QString, name);
        char program[] = "zelmora";
        char *argv[] = {program, argument.data(), nullptr};
        const std::optional<QString> first = firstArgument(2, argv);
        QVERIFY(first);
        QCOMPARE(documentNameFromArgument(*first, QStringLiteral("trans")), name);
        QVERIFY(!firstArgument(1, argv));
    }
#endif

    // Only a style named on the program's own command line replaces the form's; the one of
    // QT_STYLE_OVERRIDE is the desktop's. Qt ignores -style without a name after it.
    void styleChoice_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("-style X") << QByteArrayList{"-style", "Breeze", "psu.zmr"} << true;
        QTest::newRow("--style X") << QByteArrayList{"psu.zmr", "--style", "Breeze"} << true;
        QTest::newRow("-style=X") << QByteArrayList{"-style=Breeze"} << true;
        QTest::newRow("QT_STYLE_OVERRIDE") << QByteArrayList{"psu.zmr"} << false;
        QTest::newRow("-style last") << QByteArrayList{"psu.zmr", "-style"} << false;
    }
    void styleChoice()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(bool, chosen);
        QList<char *> argv{const_cast<char *>("zelmora")};
        for (QByteArray &argument : arguments)
            argv << argument.data();
        qputenv("QT_STYLE_OVERRIDE", "Adwaita-Dark"); // set for the whole desktop
        QCOMPARE(styleChosen(int(argv.size()), argv.data()), chosen);
        qunsetenv("QT_STYLE_OVERRIDE");
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
        bool whole = false; // the build number the version and the packages carry
        QVERIFY(buildNumber.toUInt(&whole) > 0 && whole);
        QCOMPARE(documentName, QStringLiteral("trans"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentName)
#include "tst_documentname.moc"
