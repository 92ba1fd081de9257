#include "mainwindow/slotconnect.h"

#include <QAction>
#include <QMetaMethod>
#include <QObject>

namespace {

bool connectToSignal(QObject *sender, QByteArray signalName, QObject *receiver,
                     const QMetaMethod &slot)
{
    if (signalName == "activated" && qobject_cast<QAction *>(sender))
        signalName = "triggered";
    const QMetaObject *meta = sender->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod signal = meta->method(i);
        if (signal.methodType() != QMetaMethod::Signal || signal.name() != signalName)
            continue;
        if (QMetaObject::checkConnectArgs(signal, slot) && QObject::connect(sender, signal, receiver, slot))
            return true;
    }
    return false;
}

} // namespace

void connectSlotsByObjectName(QObject *receiver)
{
    QList<QObject *> objects = receiver->findChildren<QObject *>();
    objects.prepend(receiver);
    const QMetaObject *meta = receiver->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod slot = meta->method(i);
        const QByteArray slotName = slot.name();
        if (slot.methodType() != QMetaMethod::Slot || !slotName.startsWith("on_"))
            continue;
        bool connected = false;
        for (QObject *object : std::as_const(objects)) {
            const QByteArray prefix = "on_" + object->objectName().toUtf8() + '_';
            if (prefix.size() == 4 || !slotName.startsWith(prefix))
                continue;
            connected = connectToSignal(object, slotName.mid(prefix.size()), receiver, slot);
            if (connected)
                break;
        }
        if (!connected)
            qWarning("No signal to connect to %s", slot.methodSignature().constData());
    }
}
