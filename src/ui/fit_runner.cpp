#include "ui/fit_runner.hpp"

#include "errors/errors.hpp"

#include <QMetaObject>
#include <QPointer>
#include <QTimer>

namespace ombrelune {

FitRunner::FitRunner(QObject* parent) : QObject(parent), poll_(new QTimer(this)) {
    poll_->setInterval(100);
    connect(poll_, &QTimer::timeout, this, &FitRunner::pollProgress);
    control_.progress = [this](int iteration, double sum) {
        sum_.store(sum, std::memory_order_relaxed);
        iteration_.store(iteration, std::memory_order_release);
    };
}

FitRunner::~FitRunner() {
    if (!running()) return;
    control_.cancel = true;
    worker_.join();
}

bool FitRunner::start(FitJob job) {
    if (running()) return false;
    job_ = std::move(job);
    control_.cancel = false;
    iteration_ = 0;
    shownIteration_ = 0;
    outcome_.reset();
    error_ = nullptr;
    poll_->start();
    worker_ = std::thread([this] {
        try {
            outcome_ = runFit(job_.data, job_.request, &control_);
        } catch (...) {
            error_ = std::current_exception();
        }
        // Queued to this object's thread; dropped if the runner is gone by then.
        QMetaObject::invokeMethod(this, &FitRunner::workerDone, Qt::QueuedConnection);
    });
    return true;
}

void FitRunner::cancel() {
    if (running()) control_.cancel = true;
}

void FitRunner::pollProgress() {
    const int iteration = iteration_.load(std::memory_order_acquire);
    if (iteration == shownIteration_) return;
    shownIteration_ = iteration;
    Q_EMIT progressed(iteration, sum_.load(std::memory_order_relaxed));
}

void FitRunner::workerDone() {
    if (!running()) return;
    worker_.join();
    poll_->stop();
    pollProgress();
    if (outcome_) return Q_EMIT finished(*outcome_);
    try {
        std::rethrow_exception(error_);
    } catch (const EFitCancelled&) {
        Q_EMIT cancelled();
    } catch (const std::exception& e) {
        Q_EMIT failed(QString::fromUtf8(e.what()));
    }
}

} // namespace ombrelune
