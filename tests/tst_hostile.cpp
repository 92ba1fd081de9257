// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

// Hostile surroundings: broken pictures in the working folder, and command lines no one
// would type. The program must start, keep working and show empty places, silently.
#include "design/corecatalogue.h"
#include "mainwindow/zelmora3.h"
#include "windowtest.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTextEdit>
#include <QtEndian>

#ifdef Q_OS_WIN
#include <QProcess>
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <functional>
#include <vector>

namespace {

const QStringList pictures = {"splash.jpg", "Zelmora.ico", "img/P-core.png", "img/PL-core.png",
                              "img/E-core.png", "img/EL-core.png", "img/O-core.png", "img/chashka.png",
                              "img/Other.png"};

QByteArray original(const QString &picture)
{
    QFile file(QStringLiteral(ZELMORA_SOURCE_DIR "/") + picture);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A PNG whose header claims 60000 x 60000 pixels: reading it would need gigabytes.
QByteArray pictureBomb()
{
    QByteArray header("IHDR");
    char size[8];
    qToBigEndian<quint32>(60000, size);
    qToBigEndian<quint32>(60000, size + 4);
    header.append(size, 8).append("\x08\x06\x00\x00\x00", 5);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    char length[4];
    qToBigEndian<quint32>(13, length);
    png.append(length, 4).append(header);
    quint32 crc = 0xffffffffu; // the chunk's CRC-32 over type and data
    for (char byte : header) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    char sum[4];
    qToBigEndian<quint32>(crc ^ 0xffffffffu, sum);
    return png.append(sum, 4);
}

#ifdef Q_OS_WIN
std::vector<HANDLE> locks; // files held open by the "unreadable" spoiler
#endif

// A scratch folder of spoiled pictures; it lets go of any file it holds before it goes.
struct SpoiledFolder : QTemporaryDir
{
    ~SpoiledFolder()
    {
#ifdef Q_OS_WIN
        for (HANDLE lock : locks)
            CloseHandle(lock);
        locks.clear();
#endif
    }
};

// Each way of spoiling the pictures lays them out in `folder`.
using Spoiler = std::function<void(const QString &folder)>;

QMap<QString, Spoiler> spoilers()
{
    QMap<QString, Spoiler> all;
    all["truncated"] = [](const QString &folder) {
        for (const QString &picture : pictures) {
            const QByteArray bytes = original(picture);
            write(folder + '/' + picture, bytes.left(bytes.size() / 2));
        }
    };
    all["garbage"] = [](const QString &folder) {
        QRandomGenerator random(7);
        for (const QString &picture : pictures) {
            QByteArray bytes(4096, Qt::Uninitialized);
            random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
            // keep the real signature, so that the readers start on the garbage
            write(folder + '/' + picture, original(picture).left(16) + bytes);
        }
    };
    all["empty"] = [](const QString &folder) {
        for (const QString &picture : pictures)
            write(folder + '/' + picture, QByteArray());
    };
    all["folders"] = [](const QString &folder) {
        for (const QString &picture : pictures)
            QVERIFY(QDir(folder).mkpath(picture));
    };
    all["img is a file"] = [](const QString &folder) {
        QDir(folder).rmdir(QStringLiteral("img"));
        write(folder + QStringLiteral("/img"), "not a folder");
        write(folder + QStringLiteral("/splash.jpg"), "not a picture");
    };
#ifdef Q_OS_WIN
    all["unreadable"] = [](const QString &folder) {
        // Another program holds every picture open without sharing it.
        for (const QString &picture : pictures) {
            write(folder + '/' + picture, original(picture));
            const QString path = QDir::toNativeSeparators(folder + '/' + picture);
            const HANDLE lock = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_READ, 0,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            QVERIFY(lock != INVALID_HANDLE_VALUE);
            locks.push_back(lock);
        }
    };
#else
    all["unreadable"] = [](const QString &folder) {
        // A loop and a dangling link cannot be read even by root; mode 000 stops the rest.
        for (const QString &picture : pictures) {
            const QByteArray path = QFile::encodeName(folder + '/' + picture);
            if (picture.contains(QLatin1String("core")) && picture < QLatin1String("img/O"))
                QVERIFY(symlink(path.constData(), path.constData()) == 0);
            else if (picture.startsWith(QLatin1String("img/")))
                QVERIFY(symlink("/nonexistent/picture.png", path.constData()) == 0);
            else {
                write(folder + '/' + picture, original(picture));
                QVERIFY(chmod(path.constData(), 0) == 0);
            }
        }
    };
#endif
    all["bombs"] = [](const QString &folder) {
        for (const QString &picture : pictures)
            write(folder + '/' + picture, pictureBomb());
    };
    return all;
}

SpoiledFolder *spoiledFolder(const QString &how)
{
    auto *folder = new SpoiledFolder;
    QDir(folder->path()).mkdir(QStringLiteral("img"));
    spoilers().value(how)(folder->path());
    return folder;
}

// Qt's picture readers say what is wrong with a file; those lines are about the user's
// files, not the program. Anything else is a fault.
QStringList notAboutPictures(const QStringList &warnings)
{
    QStringList rest;
    for (const QString &warning : warnings)
        if (!warning.contains(QLatin1String("libpng")) && !warning.contains(QLatin1String("JPEG"))
            && !warning.contains(QLatin1String("QImageIOHandler")) && !warning.contains(QLatin1String("Premature end")))
            rest << warning;
    return rest;
}

struct Run
{
    bool started = false;    // alive and idle in its event loop
    bool diedEarly = false;  // it ended before it was stopped
    QByteArray errors;       // what it printed on stderr
};

#ifdef Q_OS_WIN
// Starts the real program in `folder` with arguments given as UTF-8 (Windows hands
// programs text, not bytes: invalid bytes arrive as replacement characters), and stops
// it when it is still running three seconds later, well past its half-second splash.
// (Wine reports no other process's CPU time, so idleness is not checked here.)
Run runProgram(const QList<QByteArray> &arguments, const QString &folder)
{
    QStringList texts;
    for (const QByteArray &argument : arguments)
        texts << QString::fromUtf8(argument);
    QProcess program;
    program.setWorkingDirectory(folder);
    program.start(QStringLiteral(ZELMORA_EXECUTABLE), texts);
    Run run;
    if (!program.waitForStarted(20000)) {
        run.diedEarly = true;
        run.errors = program.errorString().toUtf8();
        return run;
    }
    run.diedEarly = program.waitForFinished(3000);
    run.started = !run.diedEarly;
    program.kill();
    program.waitForFinished(10000);
    run.errors = program.readAllStandardError();
    return run;
}
#else
long cpuTicks(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
    return fields.value(12).toLong() + fields.value(13).toLong(); // utime + stime
}

// Starts the real program with raw argument bytes in `folder`, waits until it sits idle
// in its event loop, then stops it.
Run runProgram(const QList<QByteArray> &arguments, const QString &folder)
{
    QTemporaryFile errorsFile;
    if (!errorsFile.open())
        qFatal("no temporary file");
    std::vector<QByteArray> storage{QByteArray(ZELMORA_EXECUTABLE)};
    for (const QByteArray &argument : arguments)
        storage.push_back(argument);
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const QByteArray directory = QFile::encodeName(folder);
    const int errorsFd = errorsFile.handle();

    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(directory.constData()) != 0)
            _exit(126);
        dup2(errorsFd, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Run run;
    long previous = -1;
    for (int step = 0; step < 600; ++step) { // at most a minute: a loaded machine is slow
        QTest::qSleep(100);
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            run.diedEarly = true;
            break;
        }
        const long ticks = cpuTicks(pid);
        if (step >= 8 && previous >= 0 && ticks - previous <= 1) { // idle for a tenth of a second
            run.started = true;
            break;
        }
        previous = ticks;
    }
    if (!run.diedEarly) {
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    errorsFile.seek(0);
    run.errors = errorsFile.readAll();
    return run;
}
#endif

bool sanitizerSpoke(const QByteArray &errors)
{
    return errors.contains("Sanitizer") || errors.contains("runtime error");
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QFile::exists(QStringLiteral(ZELMORA_EXECUTABLE))); }

    void spoiledPicturesInTheWindow_data()
    {
        QTest::addColumn<QString>("how");
        for (const QString &how : spoilers().keys())
            QTest::newRow(qPrintable(how)) << how;
    }
    void spoiledPicturesInTheWindow()
    {
        QFETCH(QString, how);
        std::unique_ptr<SpoiledFolder> folder(spoiledFolder(how));
        const QString home = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder->path()));
        WarningCatcher catcher;
        {
            auto window = freshWindow();
            QLabel *picture = child<QLabel>(window.get(), "label_18");
            QCOMPARE(picture->size(), QSize(0, 0));
            for (const char *shape : {"action_22", "action_31", "action_23", "action_11", "action_24",
                                      "action_25", "action_26"}) {
                child<QAction>(window.get(), shape)->trigger();
                QCOMPARE(picture->size(), QSize(0, 0));
            }
            QCOMPARE(child<QLabel>(window.get(), "label_17")->text(), QStringLiteral("Сердечник: особый, сталь"));
            QCOMPARE(logLines(child<QTextEdit>(window.get(), "textEdit")).size(), 1);
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
        QVERIFY(QDir::setCurrent(home));
        QCOMPARE(notAboutPictures(catcher.warnings()), QStringList());
    }

    void spoiledPicturesAtStart_data() { spoiledPicturesInTheWindow_data(); }
    void spoiledPicturesAtStart()
    {
        QFETCH(QString, how);
        std::unique_ptr<SpoiledFolder> folder(spoiledFolder(how));
        const Run run = runProgram({}, folder->path());
        QVERIFY2(run.started && !run.diedEarly, run.errors.constData());
        QVERIFY2(!sanitizerSpoke(run.errors), run.errors.constData());
    }

    void commandLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("arguments");
#ifdef Q_OS_WIN
        const int longest = 30000; // a Windows command line holds at most 32767 characters
#else
        const int longest = 120000;
#endif
        QTest::newRow("none") << QList<QByteArray>{};
        QTest::newRow("long name") << QList<QByteArray>{QByteArray(longest, 'n') + ".zmr"};
        QTest::newRow("long other") << QList<QByteArray>{QByteArray(longest, '\xff')};
        QTest::newRow("invalid utf-8") << QList<QByteArray>{"\xff\xfe\xc3\x28\xa0.zmr", "\xc0\xaf"};
        QTest::newRow("latin-1") << QList<QByteArray>{"\xe9t\xe9 \xe0 Paris.zmr"};
        QTest::newRow("extension only") << QList<QByteArray>{".zmr"};
        QTest::newRow("empty argument") << QList<QByteArray>{""};
        QTest::newRow("control characters") << QList<QByteArray>{"\x01\x1b[31m\t\n.zmr"};
        QTest::newRow("options for the toolkit") << QList<QByteArray>{"-style", "nonsense", "-reverse", "-geometry", "x"};
        QList<QByteArray> many;
        for (int i = 0; i < longest / 24; ++i)
            many << QByteArray::number(i) + ".zmr";
        QTest::newRow("thousands") << many;
#ifdef Q_OS_WIN
        // What Windows users type: a drive and backslashes, a Cyrillic name with a blank.
        QTest::newRow("drive and directory") << QList<QByteArray>{"D:\\work\\psu.zmr"};
        QTest::newRow("cyrillic with a blank") << QList<QByteArray>{QString::fromUtf8("D:\\work\\блок питания.zmr").toUtf8()};
#endif
    }
    void commandLines()
    {
        QFETCH(QList<QByteArray>, arguments);
        const Run run = runProgram(arguments, QStringLiteral(ZELMORA_SOURCE_DIR));
        QVERIFY2(run.started && !run.diedEarly, run.errors.constData());
        QVERIFY2(!sanitizerSpoke(run.errors), run.errors.constData());
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
