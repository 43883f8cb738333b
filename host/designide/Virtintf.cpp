#include "Virtintf.h"

TInterface::TInterface() = default;

int TInterface::AddRef() {
  return ++FRefCount;
}

int TInterface::Release() {
  // The last reference frees the object, as the IDE's interfaces do.
  const int Result = --FRefCount;
  if (Result == 0)
    delete this;
  return Result;
}

int TInterface::GetVersion() {
  return 3;
}
