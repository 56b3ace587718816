#include "camera/decoder/libjpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vcam::camera::testing {
namespace {

// libjpeg reports errors through error_exit, which must not return: jump back
// to the caller's setjmp instead of exiting the process.
struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void jump_on_error(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

void silence(j_common_ptr, int) {}

// The silent, jumping error manager for a codec's `err`. The caller still
// calls setjmp itself: a jump point cannot outlive the function that sets it.
jpeg_error_mgr* jumping_errors(ErrorJump& error) {
  jpeg_std_error(&error.manager);
  error.manager.error_exit = jump_on_error;
  error.manager.emit_message = silence;
  return &error.manager;
}

// Plain C-style body: no C++ objects with destructors live across setjmp.
bool encode_raw(const std::uint8_t* rgb, int width, int height, const LibjpegSettings& s, unsigned char** out,
                unsigned long* out_size, std::uint8_t* row_buffer) {
  jpeg_compress_struct info;
  ErrorJump error;
  info.err = jumping_errors(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, out_size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = s.components;
  info.in_color_space = s.components == 1 ? JCS_GRAYSCALE : s.components == 4 ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  if (s.rgb_colour_space) jpeg_set_colorspace(&info, JCS_RGB);
  jpeg_set_quality(&info, s.quality, TRUE);
  info.optimize_coding = s.optimize ? TRUE : FALSE;
  info.arith_code = s.arithmetic ? TRUE : FALSE;
  info.restart_interval = static_cast<unsigned int>(s.restart_interval);
  if (s.components == 3 && !s.rgb_colour_space) {
    info.comp_info[0].h_samp_factor = s.luma_h;
    info.comp_info[0].v_samp_factor = s.luma_v;
    info.comp_info[1].h_samp_factor = info.comp_info[1].v_samp_factor = 1;
    info.comp_info[2].h_samp_factor = info.comp_info[2].v_samp_factor = 1;
  }
  if (s.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const std::uint8_t* source = rgb + static_cast<std::size_t>(info.next_scanline) * static_cast<std::size_t>(width) * 3;
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < s.components; ++c) {
        row_buffer[x * s.components + c] = source[x * 3 + (c % 3)];
      }
    }
    JSAMPROW row = row_buffer;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

// Reads the picture into `dst` (rows `stride` bytes apart, bottom-up or
// top-down); with a null `dst` only reads the size.
bool decode_raw(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst, std::size_t dst_size,
                std::size_t stride, bool bottom_up, int* width, int* height) {
  jpeg_decompress_struct info;
  ErrorJump error;
  info.err = jumping_errors(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  *width = static_cast<int>(info.output_width);
  *height = static_cast<int>(info.output_height);
  const std::size_t rows = info.output_height;
  if (dst == nullptr || stride < static_cast<std::size_t>(*width) * 3 || stride * rows > dst_size) {
    jpeg_destroy_decompress(&info);
    return dst == nullptr;
  }
  while (info.output_scanline < info.output_height) {
    const std::size_t line = info.output_scanline;
    JSAMPROW row = dst + (bottom_up ? rows - 1 - line : line) * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

bool libjpeg_reads(const std::uint8_t* jpeg, std::size_t size) {
  jpeg_decompress_struct info;
  ErrorJump error;
  info.err = jumping_errors(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
  while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, row, 1);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

std::vector<std::uint8_t> libjpeg_encode(const std::vector<std::uint8_t>& rgb, int width, int height,
                                         const LibjpegSettings& settings) {
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
  const bool ok = encode_raw(rgb.data(), width, height, settings, &out, &out_size, row.data());
  std::vector<std::uint8_t> jpeg;
  if (ok && out != nullptr) jpeg.assign(out, out + out_size);
  std::free(out);
  return jpeg;
}

bool libjpeg_decode_bgr(const std::uint8_t* jpeg, std::size_t size, std::vector<std::uint8_t>& bgr, int& width,
                        int& height) {
  if (!decode_raw(jpeg, size, nullptr, 0, 0, false, &width, &height)) return false;
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  bgr.assign(stride * static_cast<std::size_t>(height), 0);
  return decode_raw(jpeg, size, bgr.data(), bgr.size(), stride, false, &width, &height);
}

bool libjpeg_decode_bottom_up(const std::uint8_t* jpeg, std::size_t size, std::uint8_t* dst, std::size_t dst_size,
                              std::size_t stride) {
  int width = 0;
  int height = 0;
  return decode_raw(jpeg, size, dst, dst_size, stride, true, &width, &height);
}

}  // namespace vcam::camera::testing
