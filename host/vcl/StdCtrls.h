#pragma once

// Delphi's StdCtrls unit: one header per control family, gathered here.
#include "CustomComboBox.h"
#include "CustomEdit.h"
