// Forecasts worked out in the background while the meeting goes on: the newest heat first, a
// newer heat stopping the forecast of an older one, which is finished afterwards for the chart.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/records/meeting.h"
#include "statistics/forecast.h"

namespace corvane {

class ForecastRunner final : public QObject {
  Q_OBJECT

 public:
  // Called on the thread that owns the runner, with each finished forecast: the heat it
  // follows and the meeting it was made for (the count of Clear calls before it).
  using Receiver = std::function<void(int heat, const Forecast& forecast)>;

  explicit ForecastRunner(Receiver receiver, long runs = 10000, QObject* parent = nullptr);
  ~ForecastRunner() override;

  // The meeting as it stands after `heat` heats. A request for a heat already asked for
  // replaces it.
  void Request(int heat, const Meeting& m);
  // Forgets every request: a new meeting.
  void Clear();
  // Whether a forecast is waiting or being worked out.
  bool Busy() const;

 private:
  struct Job {
    int heat = 0;
    Meeting meeting;
  };
  void Work();

  Receiver receiver_;
  long runs_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<Job> pending_;  // by heat, the newest last
  int running_ = -1;          // the heat being worked out, -1 for none
  unsigned generation_ = 0;   // counts Clear calls
  bool stop_ = false;
  std::atomic<bool> cancel_{false};
  std::thread worker_;
};

}  // namespace corvane
