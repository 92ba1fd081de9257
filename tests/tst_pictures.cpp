// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// Every picture the program loads exists in the source folder, loads with Qt's readers and
// fits its place.
#include "design/corecatalogue.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void corePictures_data()
    {
        QTest::addColumn<QString>("path");
        for (CoreShapeId shape : {CoreShapeId::U, CoreShapeId::UTape, CoreShapeId::E, CoreShapeId::ETape,
                                  CoreShapeId::Ring, CoreShapeId::Pot, CoreShapeId::Other})
            QTest::newRow(coreShape(shape).picture) << QString::fromLatin1(coreShape(shape).picture);
    }
    // Each picture, and its twice-as-dense version for scaled screens at exactly twice the size.
    void corePictures()
    {
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QImageReader reader(path);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QVERIFY(image.width() <= 191 && image.height() <= 191);
        QVERIFY(image.width() >= 150 && image.height() >= 150);
        const QString sharpPath = QString(path).replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
        QImageReader sharpReader(sharpPath);
        const QImage sharp = sharpReader.read();
        QVERIFY2(!sharp.isNull(), qPrintable(sharpPath + QLatin1Char(' ') + sharpReader.errorString()));
        QCOMPARE(sharp.size(), image.size() * 2);
    }

    void splash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("1x") << "splash.jpg" << QSize(400, 250);
        QTest::newRow("2x") << "splash@2x.jpg" << QSize(800, 500);
    }
    void splash()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);
    }

    void windowIcon()
    {
        QImageReader reader(QStringLiteral("Zelmora.ico"));
        QCOMPARE(reader.format(), QByteArray("ico"));
        QList<int> sizes;
        for (int i = 0; i < reader.imageCount(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
            QCOMPARE(image.width(), image.height());
            sizes << image.width();
        }
        std::sort(sizes.begin(), sizes.end());
        QCOMPARE(sizes, QList<int>({16, 32, 48, 64, 128, 256}));
    }

    // The form names five of the core pictures as action icons.
    void actionIcons()
    {
        for (const char *path : {"img/P-core.png", "img/E-core.png", "img/O-core.png", "img/chashka.png",
                                 "img/EL-core.png"})
            QVERIFY2(!QImage(QString::fromLatin1(path)).isNull(), path);
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
