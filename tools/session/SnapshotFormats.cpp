#include "SnapshotFormats.h"

#include <string>

#include "WindowCapture.h"

bool PictureFilesAvailable() {
#ifdef TABULON_HAVE_CAIRO
  return true;
#else
  return false;
#endif
}

const char* SnapshotSynopsis() {
  static const std::string Synopsis =
      std::string("snapshot FILE.") + (!WindowCaptureAvailable() ? "svg|png|pdf"
                                       : PictureFilesAvailable() ? "svg|png|pdf|bmp"
                                                                 : "bmp");
  return Synopsis.c_str();
}
