#pragma once
// Reads the filter mapper's binary "FilterData" record (version 2): merit,
// and per pin its flags and media types. The record is a header of four
// 32-bit words (version, merit, pin count, unused), then per pin a 24-byte
// entry ("0pi3", flags, instances, type count, medium count, category flag),
// an optional category offset, and a 16-byte entry per type ("0ty3", unused,
// offsets of the major type and subtype GUIDs from the start of the record).
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace vcam::dshow::testing {

struct StoredPinType {
  GUID major{};
  GUID minor{};
};

struct StoredPin {
  std::uint32_t flags = 0;
  std::uint32_t instances = 0;
  std::uint32_t mediums = 0;
  std::vector<StoredPinType> types;
};

struct StoredFilter {
  std::uint32_t version = 0;
  std::uint32_t merit = 0;
  std::vector<StoredPin> pins;
};

namespace filter_data_detail {

inline bool read_word(const std::vector<std::uint8_t>& data, std::size_t at, std::uint32_t* word) {
  if (at > data.size() || data.size() - at < 4) return false;
  std::memcpy(word, data.data() + at, 4);
  return true;
}

inline bool read_guid(const std::vector<std::uint8_t>& data, std::uint32_t at, GUID* guid) {
  if (at > data.size() || data.size() - at < sizeof(GUID)) return false;
  std::memcpy(guid, data.data() + at, sizeof(GUID));
  return true;
}

}  // namespace filter_data_detail

// Nothing when the record is not version 2 or any part lies outside it.
inline std::optional<StoredFilter> parse_filter_data(const std::vector<std::uint8_t>& data) {
  using filter_data_detail::read_guid;
  using filter_data_detail::read_word;
  StoredFilter filter;
  std::uint32_t pins = 0;
  if (!read_word(data, 0, &filter.version) || !read_word(data, 4, &filter.merit) || !read_word(data, 8, &pins))
    return std::nullopt;
  if (filter.version != 2 || pins > 64) return std::nullopt;
  std::size_t at = 16;
  for (std::uint32_t p = 0; p < pins; ++p) {
    if (at + 24 > data.size() || data[at] != '0' + p || data[at + 1] != 'p' || data[at + 2] != 'i' ||
        data[at + 3] != '3')
      return std::nullopt;
    StoredPin pin;
    std::uint32_t types = 0, category = 0;
    read_word(data, at + 4, &pin.flags);
    read_word(data, at + 8, &pin.instances);
    read_word(data, at + 12, &types);
    read_word(data, at + 16, &pin.mediums);
    read_word(data, at + 20, &category);
    at += 24;
    if (category != 0) at += 4;
    if (types > 64) return std::nullopt;
    for (std::uint32_t t = 0; t < types; ++t) {
      if (at + 16 > data.size() || data[at] != '0' + t || data[at + 1] != 't' || data[at + 2] != 'y' ||
          data[at + 3] != '3')
        return std::nullopt;
      std::uint32_t major_at = 0, minor_at = 0;
      read_word(data, at + 8, &major_at);
      read_word(data, at + 12, &minor_at);
      StoredPinType type;
      if (!read_guid(data, major_at, &type.major) || !read_guid(data, minor_at, &type.minor)) return std::nullopt;
      pin.types.push_back(type);
      at += 16;
    }
    at += 4 * static_cast<std::size_t>(pin.mediums);
    filter.pins.push_back(std::move(pin));
  }
  return filter;
}

}  // namespace vcam::dshow::testing
