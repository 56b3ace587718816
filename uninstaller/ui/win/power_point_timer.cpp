#include "uninstaller/ui/win/power_point_timer.h"

#include "dui/win/timer.h"

namespace vcam::uninstaller {

namespace {

class PowerPointTimer : public PowerPoint::Ticker, public dui::Timer {
 public:
  explicit PowerPointTimer(PowerPoint& show) : show_(show) {}
  void Start(std::uint32_t interval_ms) override {
    set_interval(interval_ms);
    dui::Timer::Start();
  }
  void Stop() override { dui::Timer::Stop(); }
  void OnTimer() override { show_.Tick(); }

 private:
  PowerPoint& show_;
};

}  // namespace

std::unique_ptr<PowerPoint::Ticker> make_power_point_timer(PowerPoint& show) {
  return std::make_unique<PowerPointTimer>(show);
}

}  // namespace vcam::uninstaller
