// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "design/corecatalogue.h"

#include <QTest>

class TestCoreCatalogue : public QObject
{
    Q_OBJECT

    static QString shape(CoreShapeId id) { return QString::fromUtf8(coreShape(id).caption); }
    static QString material(CoreMaterialId id) { return QString::fromUtf8(coreMaterialWord(id)); }

private slots:
    void catalogue()
    {
        QCOMPARE(shape(CoreShapeId::U), QStringLiteral("Сердечник: П-образный"));
        QCOMPARE(shape(CoreShapeId::UTape), QStringLiteral("Сердечник: ПЛ"));
        QCOMPARE(shape(CoreShapeId::E), QStringLiteral("Сердечник: Ш-образный"));
        QCOMPARE(shape(CoreShapeId::ETape), QStringLiteral("Сердечник: ШЛ"));
        QCOMPARE(shape(CoreShapeId::Ring), QStringLiteral("Сердечник: О-образный"));
        QCOMPARE(shape(CoreShapeId::Pot), QStringLiteral("Сердечник: чашка"));
        QCOMPARE(shape(CoreShapeId::Other), QStringLiteral("Сердечник: особый"));
        QCOMPARE(QString(coreShape(CoreShapeId::Pot).picture), QStringLiteral("img/chashka.png"));
        QCOMPARE(QString(coreShape(CoreShapeId::UTape).picture), QStringLiteral("img/PL-core.png"));
        QCOMPARE(material(CoreMaterialId::Steel), QStringLiteral("сталь"));
        QCOMPARE(material(CoreMaterialId::Powder), QStringLiteral("порошковый"));
        QCOMPARE(material(CoreMaterialId::Other), QString());
    }

    void shapeEdit_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("result");
        QTest::newRow("start") << "Сердечник: Ш-образный, сталь" << "Сердечник: ПЛ" << "Сердечник: ПЛ, сталь";
        QTest::newRow("empty material") << "Сердечник: ПЛ, " << "Сердечник: особый" << "Сердечник: особый, ";
        QTest::newRow("first comma only") << "a, b, c" << "X" << "X, b, c";
        QTest::newRow("no comma") << "Сердечник" << "Сердечник: ШЛ" << "Сердечник: ШЛ";
    }
    void shapeEdit()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shape);
        QFETCH(QString, result);
        QCOMPARE(captionWithShape(caption, shape), result);
    }

    void materialEdit_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("material");
        QTest::addColumn<QString>("result");
        QTest::newRow("ferrite") << "Сердечник: ПЛ, сталь" << "феррит" << "Сердечник: ПЛ, феррит";
        QTest::newRow("empty") << "Сердечник: ПЛ, феррит" << "" << "Сердечник: ПЛ, ";
        QTest::newRow("after empty") << "Сердечник: ПЛ, " << "альсифер" << "Сердечник: ПЛ, альсифер";
        QTest::newRow("comma at end") << "Сердечник: ПЛ," << "сталь" << "Сердечник: ПЛ,сталь";
        QTest::newRow("no comma") << "Сердечник: ПЛ" << "сталь" << "Сердечник: ПЛ, сталь";
    }
    void materialEdit()
    {
        QFETCH(QString, caption);
        QFETCH(QString, material);
        QFETCH(QString, result);
        QCOMPARE(captionWithMaterial(caption, material), result);
    }

    void materialThenShape()
    {
        QString caption = QStringLiteral("Сердечник: Ш-образный, сталь");
        caption = captionWithMaterial(caption, material(CoreMaterialId::Alsifer));
        caption = captionWithShape(caption, shape(CoreShapeId::Pot));
        QCOMPARE(caption, QStringLiteral("Сердечник: чашка, альсифер"));
    }
};

QTEST_GUILESS_MAIN(TestCoreCatalogue)
#include "tst_corecatalogue.moc"
