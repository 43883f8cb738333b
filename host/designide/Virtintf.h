#pragma once

// The IDE's old-style interface base (unit Virtintf): a reference-counted
// class whose first virtual operations are AddRef, Release and GetVersion.

#include "Classes.h"

class TInterface : public TObject {
 public:
  TInterface();
  virtual int AddRef();
  virtual int Release();
  virtual int GetVersion();
  int RefCount() const { return FRefCount; }

 private:
  int FRefCount = 1;
};
