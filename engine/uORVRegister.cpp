#include "uORVRegister.h"

#include "Exptintf.h"
#include "uORVExpertPageGroup.h"

void Register() {
  // An error in the constructor leaves here, and no expert is registered.
  // What RegisterLibraryExpert answers is not looked at: the IDE owns the
  // expert from here on.
  RegisterLibraryExpert(new TORVExpert());
}
