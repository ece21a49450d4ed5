// Scratch files, external tools and Debian sample packages for the tests.
#pragma once

#include <string>

// A path in this test process's scratch folder.
std::string Scratch(const std::string& name);
std::u16string Wide(const std::string& utf8Path);

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

// Runs a shell command; true when it exits with 0.
bool RunCommand(const std::string& command);
// Runs a shell command and returns its standard output.
std::string RunOutput(const std::string& command);
bool HaveTool(const std::string& name);

// Downloads a Debian package (once, into the build tree's cache) and
// unpacks it; the folder it was unpacked into, or "" when it cannot be had.
std::string DebianPackage(const std::string& name);
