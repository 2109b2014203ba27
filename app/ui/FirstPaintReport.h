#pragma once
// Start-up measurement, off unless the environment has CORPOMETER_REPORT_FIRST_PAINT: once
// the window's first paint has gone to the screen, the program prints
//
//   first-paint MONOTONIC-NS CPU-NS
//
// (the monotonic clock and the process's CPU time, both in nanoseconds) on standard output
// and quits. bench/startup.sh reads it, for this program and for the smallest Qt window
// alike. Header-only, so that the benchmark's reference program measures the same way.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace ui {

namespace FirstPaintReport {

namespace detail {

inline long long Nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

class Watcher : public QObject {
  public:
    explicit Watcher(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            // The widgets are painted and then flushed to the screen in one go: a call queued
            // now runs once the picture is on the screen.
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::printf("first-paint %lld %lld\n", Nanoseconds(CLOCK_MONOTONIC),
                                Nanoseconds(CLOCK_PROCESS_CPUTIME_ID));
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    QWidget* window_;
};

}  // namespace detail

// Call before the window is first shown; does nothing unless asked for.
inline void WatchIfAsked(QWidget* window) {
    if (qEnvironmentVariableIsEmpty("CORPOMETER_REPORT_FIRST_PAINT")) return;
    window->installEventFilter(new detail::Watcher(window));
}

}  // namespace FirstPaintReport

}  // namespace ui
