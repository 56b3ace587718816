#pragma once
// The toolkit's process-wide state while it is initialised: attribute setters,
// element factory, skin manager, layout loader, the application's extra
// creators, the application name and the window classes to unregister.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dui/core/control.h"
#include "dui/factory/control_factory.h"
#include "dui/fields/setter_registry.h"
#include "dui/load/file_source.h"
#include "dui/load/layout_loader.h"
#include "dui/runtime/ui_platform.h"
#include "dui/runtime/ui_profile.h"
#include "dui/skin/skin_manager.h"
#include "dui/style/style.h"

namespace vcam::dui {

// Opens a resource pack by path; null when it cannot be opened.
using PackOpener = std::function<std::unique_ptr<FileSource>(const std::u16string& path)>;

// The setter registry and the factory follow the profile's vocabulary.
class UiRuntime {
 public:
  // Sets the process-wide pointer; Initialize constructs it under the lock.
  UiRuntime(std::u16string application_name, std::unique_ptr<UiPlatform> platform,
            UiProfile profile = UiProfile::Launcher());
  // Clears the process-wide pointer; Shutdown destroys it under the lock.
  ~UiRuntime();
  UiRuntime(const UiRuntime&) = delete;
  UiRuntime& operator=(const UiRuntime&) = delete;

  // The runtime of this process, null before Initialize and after Shutdown.
  // UI thread; other threads reach it only through PostToUiThread.
  static UiRuntime* Instance();

  const std::u16string& application_name() const { return application_name_; }
  const UiProfile& profile() const { return profile_; }
  // The framework window class: the profile's, else the application name.
  const std::u16string& window_class() const;
  SetterRegistry& setters() { return setters_; }
  ControlFactory& factory() { return factory_; }
  UiPlatform& platform() { return *platform_; }
  SkinManager* skins() { return skins_.get(); }
  LayoutLoader* layouts() { return layouts_.get(); }
  // Window classes registered by the toolkit, unregistered at shutdown.
  std::vector<std::u16string>& window_classes() { return window_classes_; }

  // The application's creators, consulted before the built-in element map for
  // layouts loaded afterwards. Replaces an earlier creator of the same name.
  // This is how an application gives a class to an element its profile
  // names but the toolkit has none for (its styles: factory().AddStyle).
  void RegisterControlCreator(std::u16string element, std::unique_ptr<ControlCreator> creator);

  // How LoadSkinPack and OpenLayoutPack open a pack path.
  void SetPackOpener(PackOpener opener) { pack_opener_ = std::move(opener); }

  // Drops fonts and styles, opens the pack and loads its "font.xml". False
  // when the pack cannot be opened (the skin is then empty).
  bool LoadSkinPack(const std::u16string& path);
  void SetSkinSource(std::unique_ptr<FileSource> source);
  // Replaces the layout reader; a pack that cannot be opened is fatal.
  void OpenLayoutPack(const std::u16string& path);
  void SetLayoutSource(std::unique_ptr<FileSource> source);

  std::unique_ptr<Control> LoadLayout(std::u16string_view file_name);
  Style* GetStyle(std::u16string_view file_name);
  FontHandle GetFont(std::u16string_view name) const;
  Texture* GetImage(std::u16string_view name);
  // Replaces the texture rules and cached images from the skin's rule file;
  // false when the skin lacks it.
  bool LoadRuleFile(std::u16string_view name);
  // 0x00RRGGBB from the last rule file, 0 before one set it.
  std::uint32_t skin_colour() const;

 private:
  friend void Shutdown();

  std::u16string application_name_;
  UiProfile profile_;
  std::unique_ptr<UiPlatform> platform_;
  SetterRegistry setters_;
  ControlFactory factory_;
  ControlCreatorMap application_creators_;
  std::unique_ptr<SkinManager> skins_;
  std::unique_ptr<LayoutLoader> layouts_;
  std::vector<std::u16string> window_classes_;
  PackOpener pack_opener_;
};

// Creates the runtime with the given platform (Windows: dui/win/ui_runtime_win.h).
// False when a runtime exists already or the platform cannot start.
bool Initialize(std::u16string application_name, std::unique_ptr<UiPlatform> platform,
                UiProfile profile = UiProfile::Launcher());
// Layouts and skins go first, then the dispatcher and the window classes, and
// last, under the lock, the runtime itself. Nothing when not initialised.
void Shutdown();

}  // namespace vcam::dui
