#pragma once
// Element "PowerPoint" (the uninstaller's own control): a slide show of the
// skin images named by "imagelist" (";"-separated), drawn at their natural
// size at the control's origin, each cross-fading in over the previous one.
// playStart / playStop start and stop its ticks. Without images it paints
// nothing; images whose size differs from the first one's are left out, so
// the fade never reads past an image.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "dui/core/control.h"
#include "dui/factory/control_factory.h"
#include "dui/skin/texture.h"
#include "uninstaller/ui/slide_show.h"

namespace vcam::uninstaller {

class PowerPoint : public dui::Control {
 public:
  // What calls Tick every interval while started: the window's timer on
  // Windows, the test's hand elsewhere.
  class Ticker {
   public:
    virtual ~Ticker() = default;
    virtual void Start(std::uint32_t interval_ms) = 0;
    virtual void Stop() = 0;
  };
  using TickerFactory = std::function<std::unique_ptr<Ticker>(PowerPoint&)>;

  explicit PowerPoint(const TickerFactory& tickers = {});
  ~PowerPoint() override;

  void Paint(dui::Painter& painter, const dui::Rect& rect, const dui::Rect& clip) override;

  void PlayStart();
  void PlayStop();
  // One timer tick: advances the show and repaints.
  void Tick();

  const SlideShow& show() const { return show_; }
  std::size_t image_count() const { return images_.size(); }

 private:
  static void OnAttached(void* context, dui::Control* sender, dui::EventArgs& args);
  void LoadImages();
  // The texture to draw now: the current image, or the blend in the frame.
  const dui::Texture* Frame();

  std::unique_ptr<Ticker> ticker_;
  std::vector<dui::Texture*> images_;  // owned by the skin's image cache
  std::unique_ptr<dui::Texture> frame_;
  SlideShow show_;
};

// The creator the uninstaller registers for "PowerPoint".
class PowerPointCreator : public dui::ControlCreator {
 public:
  explicit PowerPointCreator(PowerPoint::TickerFactory tickers) : tickers_(std::move(tickers)) {}
  std::unique_ptr<dui::Control> Create() const override { return std::make_unique<PowerPoint>(tickers_); }

 private:
  PowerPoint::TickerFactory tickers_;
};

}  // namespace vcam::uninstaller
