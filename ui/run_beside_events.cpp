#include "ui/run_beside_events.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <atomic>
#include <exception>
#include <thread>

void run_beside_events(const std::function<void()>& work, const std::function<void()>& tick,
                       std::chrono::milliseconds interval, const std::function<void()>& stop) {
    QEventLoop loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, tick);
    timer.start(interval);

    std::atomic<bool> done{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (!done.load()) loop.exec();
    // Either the work has ended, or the application quits and no loop runs any more.
    if (!done.load()) stop();
    worker.join();
    timer.stop();
    if (failure) std::rethrow_exception(failure);
}
