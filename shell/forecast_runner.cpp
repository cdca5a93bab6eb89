#include "shell/forecast_runner.h"

#include <QMetaObject>
#include <algorithm>

#include "statistics/meeting_tally.h"

namespace corvane {

ForecastRunner::ForecastRunner(Receiver receiver, long runs, QObject* parent)
    : QObject(parent), receiver_(std::move(receiver)), runs_(runs) {
  worker_ = std::thread([this] { Work(); });
}

ForecastRunner::~ForecastRunner() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
    cancel_ = true;
  }
  wake_.notify_all();
  worker_.join();  // a cancelled forecast stops within one run
}

void ForecastRunner::Request(int heat, const Meeting& m) {
  {
    std::lock_guard lock(mutex_);
    const auto at = std::lower_bound(pending_.begin(), pending_.end(), heat,
                                     [](const Job& job, int h) { return job.heat < h; });
    if (at != pending_.end() && at->heat == heat) {
      at->meeting = m;
    } else {
      pending_.insert(at, Job{heat, m});
    }
    if (running_ >= 0 && running_ <= heat) cancel_ = true;
  }
  wake_.notify_all();
}

void ForecastRunner::Clear() {
  std::lock_guard lock(mutex_);
  pending_.clear();
  ++generation_;
  if (running_ >= 0) cancel_ = true;
}

bool ForecastRunner::Busy() const {
  std::lock_guard lock(mutex_);
  return running_ >= 0 || !pending_.empty();
}

void ForecastRunner::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !pending_.empty(); });
    if (stop_) return;
    Job job = std::move(pending_.back());
    pending_.pop_back();
    running_ = job.heat;
    const unsigned generation = generation_;
    cancel_ = false;
    lock.unlock();

    ForecastSettings settings;
    settings.runs = runs_;
    settings.seed = RunSeed(0x466F7265, job.heat);  // each heat its own series
    settings.cancel = &cancel_;
    Forecast forecast = ForecastMeeting(job.meeting, settings);

    lock.lock();
    running_ = -1;
    if (stop_) return;
    if (generation != generation_) continue;
    if (forecast.cancelled) {
      // Stopped for a newer heat: worked out again once the newer ones are done, unless the
      // heat has been asked for afresh meanwhile.
      const auto at = std::lower_bound(pending_.begin(), pending_.end(), job.heat,
                                       [](const Job& j, int h) { return j.heat < h; });
      if (at == pending_.end() || at->heat != job.heat) pending_.insert(at, std::move(job));
      continue;
    }
    QMetaObject::invokeMethod(
        this,
        [this, generation, heat = job.heat, forecast = std::move(forecast)] {
          bool current = false;
          {
            std::lock_guard guard(mutex_);
            current = generation == generation_;
          }
          if (current) receiver_(heat, forecast);
        },
        Qt::QueuedConnection);
  }
}

}  // namespace corvane
