#include "dui/runtime/ui_runtime.h"

#include <utility>

#include "dui/runtime/runtime_lock.h"

namespace vcam::dui {

namespace {

UiRuntime* g_runtime = nullptr;

}  // namespace

UiRuntime::UiRuntime(std::u16string application_name, std::unique_ptr<UiPlatform> platform, UiProfile profile)
    : application_name_(std::move(application_name)),
      profile_(std::move(profile)),
      platform_(std::move(platform)),
      setters_(SetterRegistry::From(profile_.attributes)),
      factory_(ControlFactory::For(profile_.elements, profile_.styles)),
      skins_(std::make_unique<SkinManager>(setters_, factory_, *platform_)),
      layouts_(std::make_unique<LayoutLoader>(setters_, factory_, application_creators_)) {
  g_runtime = this;
}

UiRuntime::~UiRuntime() {
  if (g_runtime == this) g_runtime = nullptr;
}

UiRuntime* UiRuntime::Instance() { return g_runtime; }

const std::u16string& UiRuntime::window_class() const {
  return profile_.window_class.empty() ? application_name_ : profile_.window_class;
}

void UiRuntime::RegisterControlCreator(std::u16string element, std::unique_ptr<ControlCreator> creator) {
  application_creators_[std::move(element)] = std::move(creator);
}

bool UiRuntime::LoadSkinPack(const std::u16string& path) {
  std::unique_ptr<FileSource> pack = pack_opener_ ? pack_opener_(path) : nullptr;
  const bool opened = pack != nullptr;
  SetSkinSource(std::move(pack));
  return opened;
}

void UiRuntime::SetSkinSource(std::unique_ptr<FileSource> source) {
  if (skins_) skins_->SetSource(std::move(source));
}

void UiRuntime::OpenLayoutPack(const std::u16string& path) {
  std::unique_ptr<FileSource> pack = pack_opener_ ? pack_opener_(path) : nullptr;
  if (!pack) platform_->LayoutPackFailed();
  SetLayoutSource(std::move(pack));
}

void UiRuntime::SetLayoutSource(std::unique_ptr<FileSource> source) {
  if (layouts_) layouts_->SetSource(std::move(source));
}

std::unique_ptr<Control> UiRuntime::LoadLayout(std::u16string_view file_name) {
  return layouts_ ? layouts_->LoadLayout(file_name) : nullptr;
}

Style* UiRuntime::GetStyle(std::u16string_view file_name) {
  return skins_ ? skins_->GetStyle(file_name) : nullptr;
}

Texture* UiRuntime::GetImage(std::u16string_view name) { return skins_ ? skins_->GetImage(name) : nullptr; }

bool UiRuntime::LoadRuleFile(std::u16string_view name) { return skins_ && skins_->LoadRuleFile(name); }

std::uint32_t UiRuntime::skin_colour() const { return skins_ ? skins_->skin_colour() : 0; }

FontHandle UiRuntime::GetFont(std::u16string_view name) const {
  return skins_ ? skins_->GetFont(name) : nullptr;
}

bool Initialize(std::u16string application_name, std::unique_ptr<UiPlatform> platform, UiProfile profile) {
  if (!platform) return false;
  UiRuntime* runtime = nullptr;
  {
    RuntimeLock lock;
    if (g_runtime) return false;
    runtime = new UiRuntime(std::move(application_name), std::move(platform), std::move(profile));
  }
  if (runtime->platform().Start(*runtime)) return true;
  Shutdown();
  return false;
}

void Shutdown() {
  UiRuntime* runtime = g_runtime;
  if (!runtime) return;
  runtime->layouts_.reset();
  runtime->skins_.reset();
  runtime->platform().Stop(*runtime);
  RuntimeLock lock;
  delete runtime;
}

bool PostToUiThread(PostedFunction function, Control* target, EventArgs* args) {
  RuntimeLock lock;
  if (!g_runtime) return false;
  auto* call = new PostedCall{target, function, args};
  if (g_runtime->platform().Post(call)) return true;
  delete call;
  return false;
}

void RunPostedCall(PostedCall* call) {
  call->function(call->target, call->args);
  delete call;
}

}  // namespace vcam::dui
