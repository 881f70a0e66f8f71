#pragma once
// Reading and writing a file people keep (a backup, a report, a site file).

#include <string>

namespace quor::site {

// Writes text to a temporary file in path's folder and renames it to path, so
// that a failure leaves neither half a file under the name nor a spoilt file
// it was to replace. Throws std::runtime_error "cannot write PATH: REASON".
void ReplaceFile(const std::string& path, const std::string& text);

// The whole of a file's bytes. Throws std::runtime_error "cannot read PATH:
// REASON", also for a folder.
std::string ReadFile(const std::string& path);

}  // namespace quor::site
