#include "uninstaller/ui/power_point.h"

#include <span>
#include <string>

#include "dui/core/attribute_names.h"
#include "dui/core/painter.h"
#include "dui/runtime/ui_runtime.h"

namespace vcam::uninstaller {

namespace {

std::span<const std::uint8_t> bytes_of(const dui::Texture& t) {
  return {reinterpret_cast<const std::uint8_t*>(t.pixels()),
          t.pixels() ? static_cast<std::size_t>(t.width()) * static_cast<std::size_t>(t.height()) * 4 : 0};
}

}  // namespace

PowerPoint::PowerPoint(const TickerFactory& tickers) {
  if (tickers) ticker_ = tickers(*this);
  AddHandler(dui::EventKind::Attached, this, &OnAttached);
}

PowerPoint::~PowerPoint() {
  if (ticker_) ticker_->Stop();
}

void PowerPoint::OnAttached(void* context, dui::Control*, dui::EventArgs&) {
  static_cast<PowerPoint*>(context)->LoadImages();
}

void PowerPoint::LoadImages() {
  // Attached again: the show starts over with the images of now.
  if (ticker_ && show_.running()) ticker_->Stop();
  images_.clear();
  frame_.reset();
  dui::UiRuntime* runtime = dui::UiRuntime::Instance();
  const std::u16string* list = FindString(dui::attr::imagelist);
  if (runtime && list) {
    std::size_t at = 0;
    while (at <= list->size()) {
      std::size_t end = list->find(u';', at);
      if (end == std::u16string::npos) end = list->size();
      if (end > at) {
        dui::Texture* image = runtime->GetImage(std::u16string_view(*list).substr(at, end - at));
        // The blend walks both images as one size: the first one's.
        if (image && image->pixels() &&
            (images_.empty() || (image->width() == images_[0]->width() && image->height() == images_[0]->height())))
          images_.push_back(image);
      }
      at = end + 1;
    }
    if (!images_.empty()) frame_ = runtime->platform().CreateTexture(images_[0]->width(), images_[0]->height());
  }
  show_ = SlideShow(images_.size());
}

void PowerPoint::PlayStart() {
  if (show_.start() && ticker_) ticker_->Start(SlideShow::kIntervalMs);
}

void PowerPoint::PlayStop() {
  show_.stop();
  if (ticker_) ticker_->Stop();
  Invalidate(false);
}

void PowerPoint::Tick() {
  show_.tick();
  Invalidate(false);
}

const dui::Texture* PowerPoint::Frame() {
  if (images_.empty()) return nullptr;
  const dui::Texture* current = images_[show_.index()];
  if (!show_.fading() || !frame_ || !frame_->pixels()) return current;
  const dui::Texture* previous = images_[show_.previous()];
  std::span<std::uint8_t> out(reinterpret_cast<std::uint8_t*>(frame_->pixels()), bytes_of(*frame_).size());
  cross_fade(bytes_of(*previous), bytes_of(*current), out, show_.alpha());
  frame_->set_has_alpha(previous->has_alpha() || current->has_alpha());
  return frame_.get();
}

void PowerPoint::Paint(dui::Painter& painter, const dui::Rect& rect, const dui::Rect&) {
  const dui::Texture* frame = Frame();
  if (!frame) return;
  const dui::Rect src{0, 0, frame->width(), frame->height()};
  const dui::Rect dst{rect.left, rect.top, rect.left + frame->width(), rect.top + frame->height()};
  painter.DrawImage(*frame, dst, src);
}

}  // namespace vcam::uninstaller
