#include "camera/pump/win/media_sample_adapter.h"

namespace vcam::camera {

MediaSampleAdapter::MediaSampleAdapter(IMediaSample* sample) : sample_(sample) {
  BYTE* data = nullptr;
  const long size = sample_->GetSize();
  if (SUCCEEDED(sample_->GetPointer(&data)) && data && size > 0) {
    data_ = data;
    size_ = static_cast<std::size_t>(size);
  }
}

void MediaSampleAdapter::set_time(std::int64_t start, std::int64_t stop) {
  REFERENCE_TIME s = start, e = stop;
  sample_->SetTime(&s, &e);
}

void MediaSampleAdapter::set_media_time(std::int64_t start, std::int64_t stop) {
  LONGLONG s = start, e = stop;
  sample_->SetMediaTime(&s, &e);
}

void MediaSampleAdapter::set_sync_point(bool sync) { sample_->SetSyncPoint(sync ? TRUE : FALSE); }

}  // namespace vcam::camera
