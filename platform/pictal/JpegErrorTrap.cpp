#include "JpegErrorTrap.h"

#include <cstring>

#include <jerror.h>

namespace pictal {

namespace {

void TrapExit(j_common_ptr info)
{
  JpegErrorTrap* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
  (*info->err->format_message)(info, trap->message);
  std::longjmp(trap->jump, 1);
}

void TrapMessage(j_common_ptr info, int level)
{
  if (level >= 0) return;  // trace messages
  JpegErrorTrap* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
  // A marker in the middle of the picture's data ends it as surely as the end of the file:
  // the rest would be grey either way.
  if (trap->mgr.msg_code == JWRN_JPEG_EOF || trap->mgr.msg_code == JWRN_HIT_MARKER) {
    trap->truncated = true;
    if (trap->failOnTruncation) TrapExit(info);
  }
  trap->mgr.num_warnings++;
}

void TrapOutput(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* JpegErrorTrapInit(JpegErrorTrap* trap, bool failOnTruncation)
{
  std::memset(trap, 0, sizeof *trap);
  jpeg_std_error(&trap->mgr);
  trap->mgr.error_exit = TrapExit;
  trap->mgr.emit_message = TrapMessage;
  trap->mgr.output_message = TrapOutput;
  trap->failOnTruncation = failOnTruncation;
  return &trap->mgr;
}

}  // namespace pictal
