#pragma once

// The basic types of the Delphi RTL's System unit, as the VCL-shaped code uses
// them. Text is 8-bit Windows-1251 in std::string (Delphi's AnsiString).

#include <cstdint>
#include <string>

using AnsiString = std::string;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using Int64 = std::int64_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using NativeInt = std::intptr_t;

// The host version this build stands for (5, 6 or 7), set by the build.
#ifndef TABULON_HOST
#error "TABULON_HOST must be defined to 5, 6 or 7"
#endif
constexpr int HostVersion = TABULON_HOST;
