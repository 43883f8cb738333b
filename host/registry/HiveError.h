#pragma once

// The exception of the VCL's Registry unit. It is declared here rather than in
// Registry.h because the hive layer underneath TRegistry (parsing, the file,
// the current hive) raises it too, and that layer must not depend on the
// VCL-shaped classes built on top of it.

#include "SysUtils.h"

class ERegistryException : public Exception {
  using Exception::Exception;
};

// A REGEDIT4 file was asked for a hive holding a character that
// Windows-1251, the code page of that format, has no byte for.
class EHiveNeedsUnicode : public ERegistryException {
  using ERegistryException::ERegistryException;
};
