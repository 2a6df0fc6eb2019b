#pragma once
// Runs one fit at a time on a worker thread, so that the window and the rest of the
// program stay usable during a long fit: progress is polled from the worker every 100 ms,
// a cancel stops it before its next model evaluation, and the end is reported on the
// thread of the runner (the user-interface thread).
//
// The worker touches only the job it was given (a copy of the data) and an evaluator of its
// own; nothing of the store.

#include "numeric/fit/fitter.hpp"

#include <QObject>

#include <atomic>
#include <exception>
#include <memory>
#include <optional>
#include <thread>

class QTimer;

namespace ombrelune {

class FitRunner : public QObject {
    Q_OBJECT
public:
    explicit FitRunner(QObject* parent = nullptr);
    // Cancels a running fit and waits for its thread.
    ~FitRunner() override;

    bool running() const { return worker_.joinable(); }
    // The job running or last run.
    const FitJob& job() const { return job_; }
    // Starts `job` on a worker thread; false (nothing started) while another fit runs.
    bool start(FitJob job);
    // Asks the running fit to stop; it ends with cancelled().
    void cancel();

Q_SIGNALS:
    // The worker's latest iteration and sum of squares (the best so far for the simplex).
    void progressed(int iteration, double sumOfSquares);
    void finished(const ombrelune::FitOutcome& outcome);
    // The fit stopped on an error (a model failing at a point, a start that is not finite).
    void failed(const QString& message);
    void cancelled();

private:
    void pollProgress();
    void workerDone();

    FitJob job_;
    FitControl control_;
    std::thread worker_;
    QTimer* poll_;
    std::atomic<int> iteration_{0};
    std::atomic<double> sum_{0};
    int shownIteration_ = 0;
    // Written by the worker before it reports its end, read after joining it.
    std::optional<FitOutcome> outcome_;
    std::exception_ptr error_;
};

} // namespace ombrelune
