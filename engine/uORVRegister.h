#pragma once

// The package's registration: the IDE calls Register once, when it loads the
// package, and Register hands the one expert to the IDE.

void Register();
