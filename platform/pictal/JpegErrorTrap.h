// libjpeg's error exit for every caller of the library. The target's libjpeg is C built
// without unwind tables, so an error cannot leave it by a C++ exception: the exit jumps
// (longjmp) back to the caller's setjmp, in a frame that holds only plain data:
//
//   pictal::JpegErrorTrap trap;
//   info.err = pictal::JpegErrorTrapInit(&trap);
//   if (setjmp(trap.jump)) { /* trap.message says why */ }
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace pictal {

struct JpegErrorTrap {
  jpeg_error_mgr mgr;  // first: the library's error pointer is this struct's
  std::jmp_buf jump;
  bool truncated;          // the data ended early; the library padded the picture with grey
  bool failOnTruncation;   // such data ends the work as an error at once
  char message[JMSG_LENGTH_MAX];
};

// Sets up the trap with libjpeg's defaults and our exit; nothing goes to the console. The
// result is the value for the `err` field of the library's structure.
jpeg_error_mgr* JpegErrorTrapInit(JpegErrorTrap* trap, bool failOnTruncation = false);

}  // namespace pictal
