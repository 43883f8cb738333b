#pragma once

// What `snapshot` can write in this build, for the commands that write
// pictures and for the help of both the command and the dialog block's.

// Whether this build writes SVG, PNG and PDF (it was built with cairo).
bool PictureFilesAvailable();

// "snapshot FILE.svg|png|pdf", with the extensions this build writes: the
// pictures it draws, the real window's pixels (.bmp), or both.
const char* SnapshotSynopsis();
