#pragma once

// A C++ exception must not unwind through Windows' own frames (user32's
// dispatch between a call into Windows and the window procedure it calls
// back). What a window procedure raises is kept here instead, and raised
// again once the call into Windows that led to it has returned. Only the
// win32 backend's sources include this header.

#include <exception>

// Keeps E unless an exception is kept already: the first one is the cause.
void KeepException(std::exception_ptr E);
// Raises the kept exception, if any, and keeps it no longer.
void RaiseKeptException();
