#pragma once

// Delphi's StdCtrls unit: one header per control family, gathered here.
#include "Button.h"
#include "CheckBox.h"
#include "CustomComboBox.h"
#include "CustomEdit.h"
#include "GroupBox.h"
#include "Label.h"
#include "ListBox.h"
