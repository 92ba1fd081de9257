// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// The window's inputs: start contents, core dimensions, windings and option boxes, type and
// frequency, core shape and material, document name, exit and the information boxes.
#include "calc/calclog.h"
#include "design/designstate.h"
#include "design/documentname.h"
#include "mainwindow/formlook.h"
#include "mainwindow/zelmora3.h"
#include "windowtest.h"
#include "zelmora/version.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QStyle>
#include <QStyleFactory>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

const QColor red(255, 0, 0, 255);

// A dark desktop's style: like such styles it brings its own colours with it.
struct DarkStyle : QProxyStyle
{
    using QProxyStyle::polish;
    void polish(QPalette &palette) override { palette = QPalette(QColor(0x31, 0x36, 0x3b)); }
};

struct W
{
    std::unique_ptr<Zelmora3> window = freshWindow();
    template <typename T>
    T *get(const char *name) { return child<T>(window.get(), name); }
    QLineEdit *edit(const char *name) { return get<QLineEdit>(name); }
    QTextEdit *log() { return get<QTextEdit>("textEdit"); }
    QTableWidget *table() { return get<QTableWidget>("tableWidget"); }
    QStringList lines() { return logLines(log()); }
    void trigger(const char *action) { get<QAction>(action)->trigger(); }
    QLabel *status() { return window->statusBar()->findChild<QLabel *>(); }
};

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void startContents()
    {
        W w;
        QCOMPARE(w.lines(), QStringList({QStringLiteral(ZELMORA_BANNER)}));
        QVERIFY(!logLineColor(w.log(), 0).isValid()); // the banner has no colour of its own
        const char *fields[][2] = {{"lineEdit_11", "0.91"}, {"lineEdit_2", "1.4"}, {"lineEdit_8", "20"},
                                   {"lineEdit_9", "30"},    {"lineEdit_10", "30"}, {"lineEdit_13", "50"},
                                   {"lineEdit_3", "6"},     {"lineEdit_4", "90"},  {"lineEdit_12", "0.2"},
                                   {"lineEdit_7", "auto"},  {"lineEdit", "50"}};
        for (const auto &field : fields)
            QCOMPARE(w.edit(field[0])->text(), QString::fromUtf8(field[1]));
        QVERIFY(!w.edit("lineEdit_3")->isEnabled());
        QVERIFY(!w.edit("lineEdit_4")->isEnabled());
        QCOMPARE(w.get<QLabel>("label_3")->text(), QStringLiteral("Гц"));
        QCOMPARE(w.get<QSpinBox>("spinBox")->value(), 2);
        QCOMPARE(w.table()->rowCount(), 2);
        QCOMPARE(w.table()->columnCount(), 2);
        QCOMPARE(cellText(w.table(), 0, 0), QStringLiteral("220"));
        QCOMPARE(cellText(w.table(), 0, 1), QStringLiteral("(посчитается)"));
        QCOMPARE(cellText(w.table(), 1, 0), QString());
        QCOMPARE(cellText(w.table(), 1, 1), QString());
        QCOMPARE(w.table()->item(0, 1)->textAlignment(), 0); // the form's cell is replaced
        QCOMPARE(w.status()->text(), QStringLiteral(" trans.zmr "));
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Zelmora 3.0"));

        const DesignState &s = designState;
        QCOMPARE(s.frequency, 50.0f);
        QCOMPARE(s.windingCount, 2);
        QCOMPARE(s.coreY, 20.0f);
        QCOMPARE(s.coreY1, 30.0f);
        QCOMPARE(s.coreB, 30.0f);
        QCOMPARE(s.coreH, 50.0f);
        QVERIFY(!s.pulseMode);
    }

    // Run at 100 % and again at 200 %: the place keeps the picture's size on screen, and a
    // scaled screen gets the twice-as-dense file.
    void startPicture()
    {
        W w;
        QLabel *picture = w.get<QLabel>("label_18");
        const qreal density = picture->devicePixelRatioF() > 1.0 ? 2.0 : 1.0;
        QCOMPARE(density, qEnvironmentVariableIntValue("QT_SCALE_FACTOR") > 1 ? 2.0 : 1.0);
        QCOMPARE(picture->size(), QSize(191, 191));
        QCOMPARE(picture->pixmap().devicePixelRatio(), density);
        QCOMPARE(picture->pixmap().size(), QSize(191, 191) * density);
        w.trigger("action_25");
        QCOMPARE(picture->size(), QPixmap(QStringLiteral("img/chashka.png")).size());
        QCOMPARE(picture->pixmap().devicePixelRatio(), density);
    }

    // Without its @2x file a picture is shown from the 1x one at every scale.
    void startPictureWithoutSharpFile()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("img")));
        QVERIFY(QFile::copy(QStringLiteral("img/E-core.png"), folder.filePath(QStringLiteral("img/E-core.png"))));
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        {
            W w;
            QLabel *picture = w.get<QLabel>("label_18");
            QCOMPARE(picture->size(), QSize(191, 191));
            QCOMPARE(picture->pixmap().devicePixelRatio(), 1.0);
        }
        QVERIFY(QDir::setCurrent(home));
    }

    // Every caption of the form fits the place it was drawn at and every field shows its
    // frame, in the program's own look, also where the desktop brings its own style, fonts
    // or a dark palette; and the log stays dark on light.
    void captionsFit_data()
    {
        QTest::addColumn<QString>("style"); // the desktop's, before the program's own look
        QTest::addColumn<QFont>("font");
        QTest::addColumn<bool>("dark");
        QTest::newRow("own look") << QString() << formFont() << false;
        QTest::newRow("desktop font") << QString() << QFont(QStringLiteral("DejaVu Sans"), 11) << false;
        QTest::newRow("Breeze") << QStringLiteral("Breeze") << formFont() << false;
        QTest::newRow("Windows 11") << QStringLiteral("windows11") << formFont() << false;
        QTest::newRow("dark palette") << QString() << formFont() << true;
    }
    void captionsFit()
    {
        QFETCH(QString, style);
        QFETCH(QFont, font);
        QFETCH(bool, dark);
        if (!style.isEmpty() && !QStyleFactory::keys().contains(style, Qt::CaseInsensitive))
            QSKIP("the desktop style is not installed here");
        const QFont previous = QApplication::font();
        const QPalette previousPalette = QApplication::palette();
        const QString previousStyle = QApplication::style()->name();
        QApplication::setFont(font);
        if (!style.isEmpty())
            QApplication::setStyle(style);
        if (dark)
            QApplication::setStyle(new DarkStyle);
        useFormStyle();
        QStringList cut;
        const auto check = [&cut](QWidget *caption, const QString &text) {
            if (caption->sizeHint().width() > caption->width())
                cut << QStringLiteral("%1 \"%2\": %3 > %4").arg(caption->objectName(), text)
                            .arg(caption->sizeHint().width()).arg(caption->width());
        };
        {
            W w;
            for (QLabel *label : w.window->findChildren<QLabel *>())
                if (label->isVisibleTo(w.window.get()) && !label->text().isEmpty() && !label->wordWrap())
                    check(label, label->text());
            for (QCheckBox *box : w.window->findChildren<QCheckBox *>())
                check(box, box->text());
            for (QLineEdit *field : w.window->findChildren<QLineEdit *>())
                if (field->isVisibleTo(w.window.get()) && field->hasFrame()
                    && field->minimumSizeHint().height() > field->height())
                    cut << QStringLiteral("%1: no room for its frame, %2 > %3").arg(field->objectName())
                                .arg(field->minimumSizeHint().height()).arg(field->height());
            const QPalette paper = w.log()->palette();
            if (paper.color(QPalette::Base).lightness() < 200 || paper.color(QPalette::Text) != Qt::black)
                cut << QStringLiteral("the log is not dark on light");
#ifdef Q_OS_WIN
            const QString formStyle = QStringLiteral("windowsvista"); // which draws only light
            const bool keepsDark = false;
#else
            const QString formStyle = QStringLiteral("fusion");
            const bool keepsDark = true;
#endif
            if (QApplication::style()->name().compare(formStyle, Qt::CaseInsensitive) != 0)
                cut << QStringLiteral("the form is in the style %1").arg(QApplication::style()->name());
            if (dark && (w.window->palette().color(QPalette::Window).lightness() > 128) == keepsDark)
                cut << QStringLiteral("the desktop's dark palette is %1").arg(keepsDark ? "lost" : "kept");
        }
        QApplication::setFont(previous);
        QApplication::setStyle(previousStyle);
        QApplication::setPalette(previousPalette);
        QVERIFY2(cut.isEmpty(), qUtf8Printable(cut.join(QStringLiteral("; "))));
    }

    void commandLineName()
    {
        designState = DesignState{};
        documentName = documentNameFromArgument("D:\\work\\psu.zmr", QStringLiteral("trans"));
        Zelmora3 window;
        QCOMPARE(window.statusBar()->findChild<QLabel *>()->text(), QStringLiteral(" D:\\work\\psu.zmr "));
        documentName = QStringLiteral("trans");
    }

    void statusLabelRefreshedNotAdded()
    {
        W w;
        QVERIFY(QMetaObject::invokeMethod(w.window.get(), "add_status_Bar"));
        QVERIFY(QMetaObject::invokeMethod(w.window.get(), "add_status_Bar"));
        QCOMPARE(w.window->statusBar()->findChildren<QLabel *>().size(), 1);
        QCOMPARE(w.status()->text(), QStringLiteral(" trans.zmr "));
        QVERIFY(w.status()->isVisible());
    }

    void dimensionAccepted_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("product");
        QTest::newRow("y 25") << "lineEdit_8" << "25" << "7.5" << "112.5";
        QTest::newRow("y1 40") << "lineEdit_9" << "40" << "8" << "120";
        QTest::newRow("b 10") << "lineEdit_10" << "10" << "6" << "30";
        QTest::newRow("h 0.5") << "lineEdit_13" << "0.5" << "6" << "0.9";
        QTest::newRow("y huge") << "lineEdit_8" << "3e38" << "9e+37" << "1.35e+39";
    }
    void dimensionAccepted()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, section);
        QFETCH(QString, product);
        W w;
        typeAndReturn(w.edit(qPrintable(field)), text);
        QCOMPARE(w.edit("lineEdit_3")->text(), section);
        QCOMPARE(w.edit("lineEdit_4")->text(), product);
        QCOMPARE(w.lines().size(), 1);
    }

    void dimensionRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const char *dims[][2] = {{"lineEdit_8", "Некоректное значение y!"},
                                 {"lineEdit_9", "Некоректное значение y1!"},
                                 {"lineEdit_10", "Некоректное значение b!"},
                                 {"lineEdit_13", " Некоректное значение h!"}};
        for (const auto &dim : dims)
            for (const char *text : {"0", "-5", "abc", "inf", "1e39", "nan", ""})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(dim[0], text)))
                    << dim[0] << text << QString::fromUtf8(dim[1]);
    }
    void dimensionRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        W w;
        const DesignState before = designState;
        QLineEdit *edit = w.edit(qPrintable(field));
        typeAndReturn(edit, text);
        QCOMPARE(w.lines().size(), 2);
        QCOMPARE(w.lines().last(), message);
        QCOMPARE(logLineColor(w.log(), 1), red);
        QCOMPARE(w.window->focusWidget(), edit);
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->selectedText(), text);
        QCOMPARE(w.edit("lineEdit_3")->text(), QStringLiteral("6"));
        QCOMPARE(w.edit("lineEdit_4")->text(), QStringLiteral("90"));
        QCOMPARE(designState.coreY, before.coreY);
        QCOMPARE(designState.coreY1, before.coreY1);
        QCOMPARE(designState.coreB, before.coreB);
        QCOMPARE(designState.coreH, before.coreH);
        // Return again on the refused text: the message comes again.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(w.lines().size(), 3);
    }

    void refusedThenAnotherAccepted()
    {
        W w;
        typeAndReturn(w.edit("lineEdit_10"), "abc");
        typeAndReturn(w.edit("lineEdit_8"), "25");
        // b stays the last accepted 30, not the refused text.
        QCOMPARE(w.edit("lineEdit_3")->text(), QStringLiteral("7.5"));
        QCOMPARE(w.edit("lineEdit_4")->text(), QStringLiteral("112.5"));
        QCOMPARE(designState.coreB, 30.0f);
    }

    void unchangedReturnRewritesSameValues()
    {
        W w;
        w.edit("lineEdit_3")->setText(QStringLiteral("stale"));
        w.edit("lineEdit_8")->setFocus();
        QTest::keyClick(w.edit("lineEdit_8"), Qt::Key_Return);
        QCOMPARE(w.edit("lineEdit_3")->text(), QStringLiteral("6"));
        typeAndReturn(w.edit("lineEdit_5"), "77"); // path length and mass are never used
        typeAndReturn(w.edit("lineEdit_6"), "x");
        QCOMPARE(w.lines().size(), 1);
    }

    void focusLossFinishesAnEdit()
    {
        W w;
        QLineEdit *y = w.edit("lineEdit_8");
        y->setFocus();
        y->selectAll();
        QTest::keyClicks(y, "0");
        w.edit("lineEdit_9")->setFocus(); // leaving the field finishes the edit
        QCOMPARE(w.lines().size(), 2);
        QCOMPARE(w.lines().last(), QStringLiteral("Некоректное значение y!"));
    }

    void windingRows()
    {
        W w;
        QSpinBox *count = w.get<QSpinBox>("spinBox");
        setCellText(w.table(), 1, 0, "12");
        designState.windingVoltage[2] = 5.0f;
        designState.windingCurrent[3] = 7.0f;
        count->setValue(4);
        QCOMPARE(designState.windingCount, 4);
        QCOMPARE(w.table()->rowCount(), 4);
        QCOMPARE(cellText(w.table(), 1, 0), QStringLiteral("12"));
        for (int row : {2, 3})
            for (int column : {0, 1})
                QCOMPARE(cellText(w.table(), row, column), QString());
        QCOMPARE(designState.windingVoltage[2], 0.0f);
        QCOMPARE(designState.windingCurrent[3], 0.0f);

        setCellText(w.table(), 3, 0, "9");
        count->setValue(3);
        QCOMPARE(w.table()->rowCount(), 3);
        count->setValue(4);
        QCOMPARE(cellText(w.table(), 3, 0), QString());

        count->setValue(1);
        QCOMPARE(count->value(), 2);
        count->setValue(150);
        QCOMPARE(count->value(), 99);
        QCOMPARE(w.table()->rowCount(), 99);
        QCOMPARE(designState.windingCount, 99);
        QCOMPARE(cellText(w.table(), 98, 1), QString());
    }

    void checkBoxes()
    {
        W w;
        QCheckBox *efficiency = w.get<QCheckBox>("checkBox_2");
        QCheckBox *density = w.get<QCheckBox>("checkBox");
        QCheckBox *core = w.get<QCheckBox>("checkBox_3");
        QTest::mouseClick(efficiency, Qt::LeftButton);
        QVERIFY(w.edit("lineEdit_11")->isEnabled());
        QTest::mouseClick(efficiency, Qt::LeftButton);
        QVERIFY(!w.edit("lineEdit_11")->isEnabled());
        QTest::mouseClick(density, Qt::LeftButton);
        QVERIFY(w.edit("lineEdit_7")->isEnabled());
        QTest::mouseClick(core, Qt::LeftButton);
        const char *coreFields[] = {"lineEdit_2", "lineEdit_5", "lineEdit_6", "lineEdit_8",
                                    "lineEdit_9", "lineEdit_10", "lineEdit_12", "lineEdit_13"};
        for (const char *name : coreFields)
            QVERIFY2(!w.edit(name)->isEnabled(), name);
        QVERIFY(!w.edit("lineEdit_3")->isEnabled());
        QTest::mouseClick(core, Qt::LeftButton);
        for (const char *name : coreFields)
            QVERIFY2(w.edit(name)->isEnabled(), name);
        QVERIFY(!w.edit("lineEdit_3")->isEnabled());
        QVERIFY(!w.edit("lineEdit_4")->isEnabled());
        QCOMPARE(w.edit("lineEdit_11")->text(), QStringLiteral("0.91"));
    }

    void palette()
    {
        QCOMPARE(logColor(LogColour::Grey), QColor(0, 0, 0, 127));
        QCOMPARE(logColor(LogColour::Grey).alpha(), 127);
        QCOMPARE(logColor(LogColour::Red), QColor(255, 0, 0, 255));
        QCOMPARE(logColor(LogColour::Black), QColor(0, 0, 0, 255));
        QCOMPARE(logColor(LogColour::Green), QColor(0, 127, 0, 255));
        QCOMPARE(logColor(LogColour::Orange), QColor(255, 155, 0, 255));
    }

    void logKeepsColoursAndClears()
    {
        W w;
        appendLog(w.log(), LogColour::Green, "one");
        appendLog(w.log(), LogColour::Orange, "two\nthree");
        QCOMPARE(w.lines(), QStringList({QStringLiteral(ZELMORA_BANNER), "one", "two", "three"}));
        QCOMPARE(logLineColor(w.log(), 1), QColor(0, 127, 0));
        QCOMPARE(logLineColor(w.log(), 2), QColor(255, 155, 0));
        QCOMPARE(logLineColor(w.log(), 3), QColor(255, 155, 0));
        QTest::mouseClick(w.get<QPushButton>("pushButton_2"), Qt::LeftButton);
        QCOMPARE(w.log()->toPlainText(), QString());
    }

    // Type and frequency.
    void typeRoundTrip()
    {
        W w;
        QComboBox *type = w.get<QComboBox>("comboBox");
        QLineEdit *frequency = w.edit("lineEdit");
        w.trigger("action_30");
        QCOMPARE(type->currentIndex(), 1);
        QCOMPARE(frequency->text(), QStringLiteral("20"));
        QCOMPARE(w.get<QLabel>("label_3")->text(), QStringLiteral("кГц"));
        QCOMPARE(designState.frequency, 20000.0f);
        QVERIFY(designState.pulseMode);

        typeAndReturn(frequency, "25");
        QCOMPARE(frequency->text(), QStringLiteral("25"));
        QCOMPARE(designState.pulseFrequency, 25000.0f);
        QCOMPARE(designState.frequency, 25000.0f);

        w.trigger("action_21");
        QCOMPARE(type->currentIndex(), 0);
        QCOMPARE(frequency->text(), QStringLiteral("50"));
        QCOMPARE(w.get<QLabel>("label_3")->text(), QStringLiteral("Гц"));
        QCOMPARE(designState.frequency, 50.0f);

        typeAndReturn(frequency, "60");
        QCOMPARE(designState.lfFrequency, 60.0f);
        QCOMPARE(designState.pulseFrequency, 25000.0f);

        w.trigger("action_30");
        QCOMPARE(frequency->text(), QStringLiteral("25"));
        typeAndReturn(frequency, "0.5");
        QCOMPARE(designState.frequency, 500.0f);
        QCOMPARE(frequency->text(), QStringLiteral("0.5")); // left as typed
        QCOMPARE(w.lines().size(), 1);
    }

    void typeFromComboBox()
    {
        W w;
        QComboBox *type = w.get<QComboBox>("comboBox");
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Down); // a user's pick emits "activated"
        QCOMPARE(type->currentIndex(), 1);
        QVERIFY(designState.pulseMode);
        QCOMPARE(w.edit("lineEdit")->text(), QStringLiteral("20"));
        QTest::keyClick(type, Qt::Key_Up);
        QVERIFY(!designState.pulseMode);
        QCOMPARE(designState.frequency, 50.0f);
    }

    void frequencyRefused_data()
    {
        QTest::addColumn<bool>("pulse");
        QTest::addColumn<QString>("text");
        for (bool pulse : {false, true})
            for (const char *text : {"0", "-50", "abc", "", "inf", "nan", "1e39", "7e35"})
                if (pulse || QByteArray(text) != "7e35") // 7e35 kHz is more hertz than a float holds
                    QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(pulse ? "pulse" : "sine", text)))
                        << pulse << text;
    }
    void frequencyRefused()
    {
        QFETCH(bool, pulse);
        QFETCH(QString, text);
        W w;
        if (pulse)
            w.trigger("action_30");
        const DesignState before = designState;
        QLineEdit *frequency = w.edit("lineEdit");
        typeAndReturn(frequency, text);
        QCOMPARE(w.lines().last(), QStringLiteral("Ошибка в частоте!"));
        QCOMPARE(logLineColor(w.log(), 1), red);
        QCOMPARE(w.window->focusWidget(), frequency);
        QCOMPARE(frequency->selectedText(), text);
        QCOMPARE(designState.frequency, before.frequency);
        QCOMPARE(designState.lfFrequency, before.lfFrequency);
        QCOMPARE(designState.pulseFrequency, before.pulseFrequency);
        // Choosing the current type again shows the stored frequency.
        w.trigger(pulse ? "action_30" : "action_21");
        QCOMPARE(frequency->text(), pulse ? QStringLiteral("20") : QStringLiteral("50"));
    }

    // Core shape and material.
    void coreCatalogue()
    {
        W w;
        QLabel *caption = w.get<QLabel>("label_17");
        QLabel *picture = w.get<QLabel>("label_18");
        const QPoint corner = picture->pos();
        w.trigger("action_19");
        w.trigger("action_25");
        QCOMPARE(caption->text(), QStringLiteral("Сердечник: чашка, альсифер"));
        QCOMPARE(picture->size(), QPixmap(QStringLiteral("img/chashka.png")).size());
        QCOMPARE(picture->pos(), corner);
        w.trigger("action_31");
        QCOMPARE(caption->text(), QStringLiteral("Сердечник: ПЛ, альсифер"));
        w.trigger("action_18");
        QCOMPARE(caption->text(), QStringLiteral("Сердечник: ПЛ, феррит"));
        w.trigger("action_20");
        QCOMPARE(caption->text(), QStringLiteral("Сердечник: ПЛ, "));
        w.trigger("action_26");
        QCOMPARE(caption->text(), QStringLiteral("Сердечник: особый, "));
        const char *shapes[][2] = {{"action_22", "П-образный"}, {"action_23", "Ш-образный"},
                                   {"action_11", "ШЛ"},         {"action_24", "О-образный"}};
        for (const auto &shape : shapes) {
            w.trigger(shape[0]);
            QCOMPARE(caption->text(), QStringLiteral("Сердечник: %1, ").arg(QString::fromUtf8(shape[1])));
        }
        const char *materials[][2] = {{"action_17", "сталь"}, {"action_7", "пермалой"}, {"action_29", "порошковый"}};
        for (const auto &material : materials) {
            w.trigger(material[0]);
            QCOMPARE(caption->text(), QStringLiteral("Сердечник: О-образный, %1").arg(QString::fromUtf8(material[1])));
        }
        // Nothing else changes.
        QCOMPARE(w.edit("lineEdit_3")->text(), QStringLiteral("6"));
        QCOMPARE(w.edit("lineEdit_2")->text(), QStringLiteral("1.4"));
        QCOMPARE(w.lines().size(), 1);
    }

    void corePicturesMissing()
    {
        QTemporaryDir empty;
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(empty.path()));
        WarningCatcher catcher;
        {
            W w;
            QLabel *picture = w.get<QLabel>("label_18");
            QCOMPARE(picture->size(), QSize(0, 0));
            for (const char *shape : {"action_22", "action_31", "action_23", "action_11", "action_24",
                                      "action_25", "action_26"}) {
                w.trigger(shape);
                QCOMPARE(picture->size(), QSize(0, 0));
                QVERIFY(picture->pixmap().isNull());
            }
            QCOMPARE(w.get<QLabel>("label_17")->text(), QStringLiteral("Сердечник: особый, сталь"));
            QCOMPARE(w.lines().size(), 1);
        }
        QVERIFY(QDir::setCurrent(home));
        QCOMPARE(catcher.warnings(), QStringList());
    }

    // Document name.
    void newDocument()
    {
        W w;
        QStringList shown;
        for (int i = 0; i < 5; ++i) {
            w.trigger("action_4");
            shown << w.status()->text();
        }
        QCOMPARE(shown, QStringList({" trans0.zmr ", " trans1.zmr ", " trans2.zmr ", " trans3.zmr ", " trans4.zmr "}));
        documentName = QString();
        w.trigger("action_4");
        QCOMPARE(w.status()->text(), QStringLiteral(" 0.zmr "));
        QCOMPARE(w.lines().size(), 1);
    }

    // Exit: only "Discard" closes the window.
    void exit_data()
    {
        QTest::addColumn<int>("answer"); // a standard button, or 0 for Escape
        QTest::addColumn<bool>("closes");
        QTest::newRow("save") << int(QMessageBox::Save) << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
        QTest::newRow("escape") << 0 << false;
    }
    void exit()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        W w;
        QTemporaryDir folder; // nothing is saved, whatever the answer
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        QString text, informative, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        answerMessageBox([&](QMessageBox *box) {
            text = box->text();
            informative = box->informativeText();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            defaultButton = box->standardButton(box->defaultButton());
            if (answer)
                box->button(QMessageBox::StandardButton(answer))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        w.trigger("action_8");
        QCOMPARE(text, QStringLiteral("Документ был изменён."));
        QCOMPARE(informative, QStringLiteral("Хотите сохранить изменения перед выходом?"));
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(defaultButton, QMessageBox::Save);
        QVERIFY(title.isEmpty());
        QVERIFY(QDir::setCurrent(home));
        QCOMPARE(w.window->isVisible(), !closes);
        QVERIFY(QDir(folder.path()).isEmpty());
        QCOMPARE(w.lines().size(), 1);
    }

    void informationBoxes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("text");
        QTest::newRow("about") << "action_9" << int(QMessageBox::Information)
                               << "Программа для расчёта трансформаторов\n" ZELMORA_BANNER "\n"
                                  "https://zelmora.example.org\ne-mail: zelmora@example.org\n"
                                  "Zelmora developers\n2026";
        QTest::newRow("help") << "action_10" << int(QMessageBox::Information) << "В разработке";
        QTest::newRow("support") << "action_5" << int(QMessageBox::Question)
                                 << "Желающие поддержать программу материально могут\n"
                                    "выслать любую сумму денег на следующие кошельки \nWebMoney:\n"
                                    "_________________________________\nR000000000000\nZ000000000000\n"
                                    "E000000000000\n\nСпасибо!";
    }
    void informationBoxes()
    {
        QFETCH(QString, action);
        QFETCH(int, icon);
        QFETCH(QString, text);
        W w;
        QString shownText, title;
        int shownIcon = -1;
        int buttons = 0;
        answerMessageBox([&](QMessageBox *box) {
            shownText = box->text();
            shownIcon = box->icon();
            title = box->windowTitle();
            buttons = int(box->buttons().size());
            QCOMPARE(box->parent(), nullptr);
            box->button(QMessageBox::Ok)->click();
        });
        w.trigger(qPrintable(action));
        QCOMPARE(shownText, text);
        QCOMPARE(shownIcon, icon);
        QCOMPARE(buttons, 1);
        QVERIFY(title.isEmpty());
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.lines().size(), 1);
    }

    // What a screen reader is told: every input, the table, the log and the picture by its
    // own name, none of them a group's title.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        const char *rows[][2] = {
            {"lineEdit", "Частота, Гц"},
            {"lineEdit_11", "К.п.д."},
            {"spinBox", "Количество обмоток"},
            {"lineEdit_7", "Плотность тока, А/мм²"},
            {"tableWidget", "Таблица обмоток"},
            {"textEdit", "Лог расчёта"},
            {"lineEdit_2", "Максимальная индукция, Тл"},
            {"lineEdit_3", "Площадь сечения, см²"},
            {"lineEdit_4", "Sстали×Sокна, см⁴"},
            {"lineEdit_5", "Длинна магнитной линии, см"},
            {"lineEdit_6", "Масса, кг"},
            {"lineEdit_12", "Толщина пластин, мм"},
            {"lineEdit_8", "Размер y, мм"},
            {"lineEdit_9", "Размер y1, мм"},
            {"lineEdit_10", "Размер b, мм"},
            {"lineEdit_13", "Размер h, мм"},
            {"label_18", "Рисунок сердечника"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << row[0] << QString::fromUtf8(row[1]);
    }
    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        W w;
        QWidget *widget = w.get<QWidget>(name.toLatin1().constData());
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), spoken);
    }

    void accessibleNamesDistinct()
    {
        W w;
        QStringList names;
        for (QWidget *widget : w.window->findChildren<QWidget *>()) {
            if (!widget->accessibleName().isEmpty())
                names << widget->accessibleName();
            if (qobject_cast<QLineEdit *>(widget) && widget->objectName().startsWith(QLatin1String("lineEdit")))
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
        QCOMPARE(names.size(), 18);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        for (const char *group : {"groupBox", "groupBox_2"})
            QVERIFY(!names.contains(w.get<QGroupBox>(group)->title()));
    }

    // Names and descriptions that follow what the window shows.
    void accessibleNamesFollowTheWindow()
    {
        W w;
        QLabel *picture = w.get<QLabel>("label_18");
        QVERIFY(picture->accessibleDescription().startsWith(QStringLiteral("Сердечник: Ш-образный, сталь.")));
        w.trigger("action_30");
        QCOMPARE(w.edit("lineEdit")->accessibleName(), QStringLiteral("Частота, кГц"));
        w.trigger("action_21");
        QCOMPARE(w.edit("lineEdit")->accessibleName(), QStringLiteral("Частота, Гц"));
        w.trigger("action_24");
        w.trigger("action_18");
        QVERIFY(picture->accessibleDescription().startsWith(QStringLiteral("Сердечник: О-образный, феррит.")));
        // On Linux a combo box reads out its current choice as its name; the description says what it chooses.
        QCOMPARE(QAccessible::queryAccessibleInterface(w.get<QComboBox>("comboBox"))->text(QAccessible::Description),
                 QStringLiteral("Тип трансформатора"));
        for (const char *box : {"checkBox", "checkBox_2", "checkBox_3"})
            QVERIFY(!w.get<QCheckBox>(box)->accessibleDescription().isEmpty());
        QVERIFY(w.edit("lineEdit_3")->accessibleDescription().contains(QStringLiteral("y × y1")));
    }

    // Tab walks the table's cells and leaves it after the last one; nothing traps the keyboard.
    void tabLeavesTheTable()
    {
        W w;
        QTableWidget *table = w.table();
        const auto inTable = [table] {
            QWidget *focus = QApplication::focusWidget();
            return focus == table || table->isAncestorOf(focus);
        };
        table->setFocus(Qt::TabFocusReason);
        table->setCurrentCell(0, 0);
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY(inTable());
        QCOMPARE(table->currentColumn(), 1);
        QTest::keyClick(table, Qt::Key_Backtab);
        QCOMPARE(table->currentColumn(), 0);
        QTest::keyClick(table, Qt::Key_Backtab); // before the first cell
        QVERIFY(!inTable());

        table->setFocus(Qt::TabFocusReason);
        table->setCurrentCell(1, 1);
        QTest::keyClick(table, Qt::Key_Tab); // after the last cell
        QVERIFY(!inTable());
        QWidget *after = QApplication::focusWidget();
        QTest::keyClick(after, Qt::Key_Backtab); // and back in
        QVERIFY(inTable());

        for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier),
                                                      Qt::ControlModifier | Qt::ShiftModifier}) {
            table->setFocus(Qt::TabFocusReason);
            table->setCurrentCell(0, 1);
            QTest::keyClick(table, Qt::Key_Tab, modifiers);
            QVERIFY(!inTable());
        }

        // While the last cell is being edited: the text is kept and the focus moves on.
        table->setFocus(Qt::TabFocusReason);
        table->setCurrentCell(1, 1);
        table->editItem(table->item(1, 1));
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && table->isAncestorOf(editor));
        QTest::keyClicks(editor, QStringLiteral("2,5"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(!inTable());
        QCOMPARE(cellText(table, 1, 1), QStringLiteral("2,5"));
        QCOMPARE(QApplication::focusWidget(), after);
        // Inside the table an editor's Tab still moves to the next cell.
        table->setFocus(Qt::TabFocusReason);
        table->setCurrentCell(0, 0);
        table->editItem(table->item(0, 0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(inTable());
        QCOMPARE(table->currentColumn(), 1);
    }

    void tabLeavesTheLog()
    {
        W w;
        QTextEdit *log = w.log();
        log->setFocus(Qt::TabFocusReason);
        const QString before = log->toPlainText();
        QTest::keyClick(log, Qt::Key_Tab);
        QVERIFY(!log->hasFocus());
        QCOMPARE(log->toPlainText(), before);
        log->setFocus(Qt::TabFocusReason);
        QTest::keyClick(log, Qt::Key_Backtab);
        QVERIFY(!log->hasFocus());
        QVERIFY(!log->isReadOnly());
    }

    void closingByFrameAsksNothing()
    {
        W w;
        QVERIFY(w.window->close());
        QVERIFY(!w.window->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
