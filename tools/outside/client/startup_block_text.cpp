#include "tools/outside/client/startup_block_text.h"

#include <iterator>

#include "common/text_utf.h"

namespace vcam::client {

std::optional<std::u16string> block_field_text(const char16_t* field, std::size_t units) {
  if (!field) return std::nullopt;
  for (std::size_t i = 0; i < units; ++i)
    if (field[i] == u'\0') return std::u16string(field, i);
  return std::nullopt;
}

StartupFields read_startup_block(const launcher::ClientStartupBlock& block) {
  StartupFields f;
  auto take = [&](const char* name, const auto& field, std::u16string& out) {
    if (auto text = block_field_text(field, std::size(field)))
      out = std::move(*text);
    else
      f.unterminated.emplace_back(name);
  };
  take("url_effect", block.url_effect, f.url_effect);
  take("url_effect_download", block.url_effect_download, f.url_effect_download);
  take("url_news", block.url_news, f.url_news);
  take("exclude", block.exclude, f.exclude);
  take("current_version", block.current_version, f.current_version);
  take("latest_version", block.latest_version, f.latest_version);
  take("command_line", block.command_line, f.command_line);
  return f;
}

std::vector<std::string> describe_startup_fields(const StartupFields& f) {
  std::vector<std::string> lines;
  auto add = [&](const char* name, const std::u16string& text) {
    lines.push_back(std::string(name) + ": " + utf16_to_utf8(text));
  };
  add("url_effect", f.url_effect);
  add("url_effect_download", f.url_effect_download);
  add("url_news", f.url_news);
  add("exclude", f.exclude);
  add("current_version", f.current_version);
  add("latest_version", f.latest_version);
  add("command_line", f.command_line);
  for (const auto& name : f.unterminated) lines.push_back(name + " has no terminator; read as empty");
  return lines;
}

std::u16string client_window_title(const std::u16string& current_version) {
  return u"ZeloOlvana - " + current_version;
}

}  // namespace vcam::client
