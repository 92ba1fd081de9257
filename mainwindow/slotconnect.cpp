// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 Zelmora developers

#include "mainwindow/slotconnect.h"

#include <QAction>
#include <QHash>
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
    // Object names may hold underscores ("lineEdit_13"), signal names do not, so a slot
    // on_<objectName>_<signal> splits at its last underscore.
    QHash<QByteArray, QObject *> objects;
    objects.insert(receiver->objectName().toUtf8(), receiver);
    for (QObject *object : receiver->findChildren<QObject *>())
        if (!object->objectName().isEmpty())
            objects.insert(object->objectName().toUtf8(), object);

    const QMetaObject *meta = receiver->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod slot = meta->method(i);
        const QByteArray name = slot.name();
        if (slot.methodType() != QMetaMethod::Slot || !name.startsWith("on_"))
            continue;
        const qsizetype split = name.lastIndexOf('_');
        QObject *sender = split > 3 ? objects.value(name.mid(3, split - 3)) : nullptr;
        if (!sender || !connectToSignal(sender, name.mid(split + 1), receiver, slot))
            qWarning("No signal to connect to %s", slot.methodSignature().constData());
    }
}
