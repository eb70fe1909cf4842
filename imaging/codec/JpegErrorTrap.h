#pragma once
// libjpeg's error manager turned into a trap: errors jump back to the setjmp of the one small
// function that drives the library, and messages never reach standard error. The jump must
// not cross C++ destructors, so the function that calls setjmp keeps only trivially
// destructible locals and every resource lives in the object that owns the trap.

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
// jerror.h after jpeglib.h
#include <jerror.h>

namespace codec {

struct JpegErrorTrap {
  jpeg_error_mgr manager;  // first, so that the library's pointer to it leads back here
  std::jmp_buf jump;
  bool outOfMemory = false;
  // The data ended before the picture did; libjpeg warns and pads with grey.
  bool prematureEnd = false;
};

// Sets up the trap and returns the manager for cinfo.err.
inline jpeg_error_mgr* InstallJpegErrorTrap(JpegErrorTrap& trap) {
  jpeg_std_error(&trap.manager);
  trap.manager.error_exit = [](j_common_ptr cinfo) {
    auto* self = reinterpret_cast<JpegErrorTrap*>(cinfo->err);
    self->outOfMemory = cinfo->err->msg_code == JERR_OUT_OF_MEMORY;
    std::longjmp(self->jump, 1);
  };
  trap.manager.emit_message = [](j_common_ptr cinfo, int level) {
    if (level < 0) {
      auto* self = reinterpret_cast<JpegErrorTrap*>(cinfo->err);
      const int code = cinfo->err->msg_code;
      if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        self->prematureEnd = true;
      }
      ++cinfo->err->num_warnings;
    }
  };
  trap.manager.output_message = [](j_common_ptr) {};
  return &trap.manager;
}

}  // namespace codec
