#pragma once

// The folder of the running program's file, where the launcher finds the
// simulators and a simulator finds the package modules; the working folder
// when the system cannot tell.

#include <string>

std::string ProgramFolder();

// The file name of the program called Name ("tabulon-ide-7.exe" on Windows).
std::string ProgramFileName(const std::string& Name);

// Whether Path is a program this user can run.
bool IsProgram(const std::string& Path);
