// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Linked into the tests of ThreadSanitizer builds only. Debian's Qt is not
// built with ThreadSanitizer, and its locks are futexes it cannot see, so two
// hand-overs that Qt orders with a QMutex of its own look unguarded:
// - a functor queued with QMetaObject::invokeMethod, written by the thread
//   that queues it and read by the thread that runs it;
// - a QtConcurrent task, built by the thread that starts it and run by a
//   thread of the pool;
// - a future's result, stored by one thread and destroyed by the thread
//   that lets go of the future last.
// The linker sends our code's calls of the Qt functions below here first
// (-Wl,--wrap), and each hand-over gets the order Qt gives it.
#include <QCoreApplication>
#include <QEvent>
#include <QFutureInterfaceBase>
#include <QObject>

#include <sanitizer/tsan_interface.h>

extern "C" {

// Every functor-taking QMetaObject::invokeMethod calls this.
bool __real__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
    QObject* context, QtPrivate::QSlotObjectBase* slot, Qt::ConnectionType type, void* ret);

bool __wrap__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
    QObject* context, QtPrivate::QSlotObjectBase* slot, Qt::ConnectionType type, void* ret)
{
    __tsan_release(context);
    return __real__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
        context, slot, type, ret);
}

// A QtConcurrent task names itself to its promise once it is built, just
// before it goes to the pool, and asks the promise first thing when it runs.
void __real__ZN20QFutureInterfaceBase11setRunnableEP9QRunnable(QFutureInterfaceBase* promise, QRunnable* task);

void __wrap__ZN20QFutureInterfaceBase11setRunnableEP9QRunnable(QFutureInterfaceBase* promise, QRunnable* task)
{
    __tsan_release(promise);
    __real__ZN20QFutureInterfaceBase11setRunnableEP9QRunnable(promise, task);
}

// A result that one thread stores is destroyed by whichever drops the last
// reference to it; Qt counts those references with an atomic of its own.
bool __real__ZNK20QFutureInterfaceBase6derefTEv(const QFutureInterfaceBase* future);
bool __wrap__ZNK20QFutureInterfaceBase6derefTEv(const QFutureInterfaceBase* future)
{
    QMutex* shared = &future->mutex();
    __tsan_release(shared);
    const bool stillHeld = __real__ZNK20QFutureInterfaceBase6derefTEv(future);
    if (!stillHeld)
        __tsan_acquire(shared);
    return stillHeld;
}

bool __real__ZNK20QFutureInterfaceBase10isCanceledEv(const QFutureInterfaceBase* promise);

bool __wrap__ZNK20QFutureInterfaceBase10isCanceledEv(const QFutureInterfaceBase* promise)
{
    __tsan_acquire(const_cast<QFutureInterfaceBase*>(promise));
    return __real__ZNK20QFutureInterfaceBase10isCanceledEv(promise);
}
}

namespace {

// Sees each event for an object of the GUI thread just before its delivery:
// a queued call runs after everything done before queuing calls to that
// object.
class QueuedCallOrder : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall)
            __tsan_acquire(receiver);
        return false;
    }
};

void watchQueuedCalls()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new QueuedCallOrder(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchQueuedCalls)
