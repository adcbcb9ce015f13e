#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The platform's folder separator, with which every folder value ends.
inline constexpr char kSeparator = '/';

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool createDirectories(const std::string& path);
// Makes the file writable (following a link to its target), then removes it.
// True when no file of that name exists afterwards.
bool removeFileClearingAttributes(const std::string& path);
// Copies one file over another; false on any failure.
bool copyFile(const std::string& from, const std::string& to, bool overwrite);
// Copies a file under a temporary name beside the target and renames it over the target
// when the copy is complete and on disk, so that an interrupted copy never leaves a
// partial file under the target's name; a target that was there leaves its owner and rights
// to the new file. False on any failure; the temporary file is gone.
bool copyFileCompletely(const std::string& from, const std::string& to);
// Free bytes for the user in the file system of the path (or of its nearest existing parent).
std::uintmax_t freeSpace(const std::string& path);
// The size of a file, 0 when it cannot be read.
std::uintmax_t fileSize(const std::string& path);
// Writes the whole text beside the target and renames it over the target, so a
// reader never sees a half-written file. Throws std::runtime_error on failure.
void replaceFileContents(const std::string& path, const std::string& contents);
// The whole file as bytes; empty when it cannot be read.
bool readWholeFile(const std::string& path, std::string& contents);
// A folder value with its trailing separator.
std::string withSeparator(const std::string& folder);
// The path of the running executable.
std::string executablePath();

} // namespace platform
